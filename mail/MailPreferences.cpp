#include "MailPreferences.h"

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "objc/ObjcRuntime.h"

int MailPreferences::previewLines() {
    Ref<NSDictionary> preferences = NSDictionary::dictionaryWithContentsOfFile(NSString::from(kPath));
    NSObject* value = preferences ? preferences->objectForKey("LinesOfPreview"_ns) : nullptr;
    return objc::responds(value, "intValue") ? objc::send<int>(value, "intValue") : 2;
}
