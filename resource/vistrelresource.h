#pragma once

// Registers the embedded interface images (":/resource/img/...") and the map page
// (":/resource/map/google/..."). The resource lives in a static library, so nothing registers
// it until this runs: call it first thing in main(), and in every test that loads images. Safe
// to call more than once. GUI thread, before any image is loaded.
void initVistrelResources();
