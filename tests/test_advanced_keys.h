// The Advanced pane's PPD options in pop-up order: Image, Text and Graphics
// (RGB Source, RGB Intent, RGB Gray Treatment, Destination Profile, Halftone,
// EdgeEnhance each), then the three Simulation options.
#pragma once

inline constexpr int kAdvancedPopups = 21;

inline const char *const kAdvancedKeys[kAdvancedPopups] = {
    "WQImageRGBSource",
    "WQImageRenderIntent",
    "WQImageGrayTreatment",
    "WQImageDestinationProfile",
    "WQImageHalftone",
    "WQImageEdgeEnhance",
    "WQTextRGBSource",
    "WQTextRenderIntent",
    "WQTextGrayTreatment",
    "WQTextDestinationProfile",
    "WQTextHalftone",
    "WQTextEdgeEnhance",
    "WQGraphicsRGBSource",
    "WQGraphicsRenderIntent",
    "WQGraphicsGrayTreatment",
    "WQGraphicsDestinationProfile",
    "WQGraphicsHalftone",
    "WQGraphicsEdgeEnhance",
    "WQSimSource",
    "WQSimRenderIntent",
    "WQSimGrayTreatment",
};
