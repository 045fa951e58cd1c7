#pragma once

// Results of the WFL folder functions. Every failure of a conversion leaves the
// output path as it was: no file, or the older file intact.
enum WflStatus {
    kWflOk = 0,
    kWflNoTiles = 1,            // the folder holds no tiles; nothing written
    kWflReadError = -1,         // the folder is missing, or a folder or file in it cannot be read
    kWflTooLarge = -2,          // the file would pass 2,147,483,647 bytes
    kWflInvalidTiles = -3,      // a name, sidecar, image or level grid that does not make a map
    kWflWriteError = -4,        // the output could not be created, written or committed
    kWflCancelled = -5,         // the progress reporter asked to stop
    kWflOutOfMemory = -6,       // a tile could not be encoded for lack of memory
    kWflOutputIsInput = -7,     // the output path names one of the folder's tiles or sidecars
};
