// Questions about files, asked with the phone's paths (resolved inside the
// device folder).
#pragma once

#include "objc/NSObject.h"

class NSString;

class NSFileManager : public NSObject {
    KORVEL_OBJC_CLASS(NSFileManager)
public:
    static NSFileManager* defaultManager();

    // Whether something is there, following symbolic links; NO for a nil or
    // empty path.
    bool fileExistsAtPath(NSString* path) const;
    // The same, also telling whether it is a directory.
    bool fileExistsAtPath(NSString* path, bool* isDirectory) const;
    // createDirectoryAtPath:withIntermediateDirectories:attributes:error:
    // without attributes or error object: YES when the folder exists
    // afterwards (an existing folder counts only with intermediates, as on
    // the phone).
    bool createDirectoryAtPath(NSString* path, bool withIntermediateDirectories) const;
};
