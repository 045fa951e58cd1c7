#pragma once

// Results of saving an SMF file; every failure leaves the previous file untouched.
enum SmfSaveStatus {
    kSmfSaveOk = 0,
    kSmfSaveWriteError = -1,          // the file could not be created, written or committed
    kSmfSaveTooLarge = -2,            // the file would pass 2,147,483,647 bytes
    kSmfSaveImageError = -3,          // a layer's image could not be decoded
    kSmfSaveCalibrationError = -4,    // a degenerate calibration or an extent beyond 32 bits
    kSmfSaveCancelled = -5,           // the progress reporter asked to stop
    kSmfSaveOutOfMemory = -6,         // a tile could not be encoded for lack of memory
    kSmfSaveInvalidProject = -7,      // no file path, or a tile size that is not positive
};
