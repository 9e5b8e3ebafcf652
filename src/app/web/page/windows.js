window.fluffoWindows = {};
