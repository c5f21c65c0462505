// What the page's modules share: the core once it has loaded, the elements built from its layout
// table, and what was last shown of it. Everything that changes between events lives in `page`;
// the modules themselves keep nothing.

// With #replay a test drives the page: no tick comes by itself.
export const replayMode = location.hash === '#replay';

export const page = {
    M: null, // the core: its ij_ functions and its memory
    window: null, // the window as the core lays it out: {width, height, gothic, serif, emptyCell}
    // Where the lesson stands on the page and the size of its canvas, in device pixels (left, top,
    // width, height), and the device pixels per CSS pixel (ratio) it was fitted at.
    stage: null,
    items: [], // per layout row: {entry, index, el, list, last: {...}}
    byName: new Map(), // the same items by their names
    context: null, // the surface's 2D context
    graphText: null, // the graph's element, whose label describes it
    announcer: null, // the live region that tells screen readers what the core announces
    shown: false, // the page has shown the core's state once, whole
    image: null, // the core's canvas in its memory, as the surface copies areas from it
    imageAt: 0, // where that canvas lies in the core's memory
    graphDescription: '', // the graph's description as last told
    itemFields: [], // the names of the values the core gives for an item, in its order
    ticking: false, // the core's timer ticks
    interval: 0, // milliseconds between its ticks
    lastFrame: -Infinity, // when the last frame prompted the core
    hidden: false, // the tab is hidden: the core's clock is held
    frameAsked: false, // an animation frame is asked for and has not come yet
    messageOpening: false, // the full-tank message opens when the step that filled the tank is over
    failed: false, // something went wrong: the page has stopped and says so
    ended: false, // お　わ　る was pressed: nothing more is pressed or chosen
};
