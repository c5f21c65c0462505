#pragma once

#include <QString>

#include <memory>

class QApplication;

// Creates the application object. Where no display can be opened (or anything else makes Qt
// give up), prints one line that names the problem and ends the process with exit code 1,
// instead of Qt's abort and core dump.
std::unique_ptr<QApplication> createApplication(int& argc, char** argv);

// Style, title and accessibility: everything the window relies on before it is created. Returns an
// error text when something the program needs is missing from the build, else an empty text.
QString prepareApplication(QApplication& app, const QString& executablePath);

// Both of the above, as every program of this project starts. Where something is missing it
// prints "PROGRAM: problem" and returns null; the caller then exits with code 1.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv, const char* program);
