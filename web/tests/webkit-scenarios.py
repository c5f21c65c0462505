#!/usr/bin/python3
# Runs scenario files through the page's test hook in WebKitGTK (Debian's WebKitWebDriver with
# its MiniBrowser; needs an X display, e.g. under xvfb-run), on one page load, and prints what
# each printed as JSON: {"file": ["line", ...] or {"error": "..."}}. Called by engines.test.mjs.
#   webkit-scenarios.py PAGE_URL FILE.replay...
import glob
import json
import sys

from selenium import webdriver

RUN = """
const done = arguments[arguments.length - 1];
window.ichijikansu.replay(arguments[0], {fresh: true}).then(done, (error) => done({error: String(error)}));
"""


def main():
    url, files = sys.argv[1], sys.argv[2:]
    options = webdriver.WebKitGTKOptions()
    options.binary_location = glob.glob('/usr/lib/*/webkit2gtk-4.1/MiniBrowser')[0]
    options.add_argument('--automation')
    driver = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver', options=options)
    try:
        driver.set_script_timeout(60)
        driver.get(url)
        for _ in range(200):
            if driver.execute_script('return !!(window.ichijikansu && window.ichijikansu.ready)'):
                break
            driver.execute_async_script('setTimeout(arguments[0], 100)')
        printed = {}
        ready = driver.execute_script('return !!(window.ichijikansu && window.ichijikansu.ready)')
        for path in files if ready else []:
            with open(path, encoding='utf-8') as f:
                printed[path] = driver.execute_async_script(RUN, f.read())
        failure = driver.execute_script('return document.getElementById("failure").hidden ? "" : '
                                        'document.getElementById("failure").textContent')
        print(json.dumps({'printed': printed, 'failure': failure}))
    finally:
        driver.quit()


main()
