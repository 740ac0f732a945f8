#include "UIKit/UINib.h"

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIControl.h"
#include "UIKit/UIImage.h"
#include "UIKit/UINibDecoder.h"
#include "UIKit/UITableViewCell.h"
#include "UIKit/UIView.h"
#include "UIKit/UIViewController.h"
#include "objc/ClassBuilder.h"

Class UINib::class_() {
    static Class cls = objc::ClassBuilder<UINib>("UINib", NSObject::class_()).build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UINib::class_();

namespace {

std::string textOf(const NSDictionary* entry, const char* key) {
    auto* value = objc::cast<NSString>(entry->objectForKey(NSString::from(key)));
    return value ? value->UTF8String() : "";
}

Ref<UIColor> colorOf(NSObject* value) {
    CGFloat c[4];
    if (!UINibDecoder::decodeNumbers(value, c, 4)) return nullptr;
    return UIColor::colorWithRed(c[0], c[1], c[2], c[3]);
}

bool isFourNumbers(NSObject* value) {
    CGFloat ignored[4];
    return UINibDecoder::decodeNumbers(value, ignored, 4);
}
bool isNumber(NSObject* value) { return objc::cast<NSNumber>(value) != nullptr; }
bool isText(NSObject* value) { return objc::cast<NSString>(value) != nullptr; }

// Logs each property of the entry whose value is of the wrong type: the
// object is made without it.
void reportWrongTypes(const NSDictionary* entry) {
    struct Property {
        const char* key;
        const char* kind;
        bool (*fits)(NSObject*);
    };
    static const Property properties[] = {
        {"frame", "four numbers", isFourNumbers},       {"backgroundColor", "four numbers", isFourNumbers},
        {"textColor", "four numbers", isFourNumbers},   {"tag", "a number", isNumber},
        {"autoresizingMask", "a number", isNumber},
        {"image", "a text", isText},                    {"text", "a text", isText},
        {"title", "a text", isText},
    };
    for (const Property& property : properties) {
        NSObject* value = entry->objectForKey(NSString::from(property.key));
        if (value && !property.fits(value))
            NSLog("Interface file: %s of object %s is not %s; left out", property.key, textOf(entry, "id").c_str(),
                  property.kind);
    }
}

// Sends "setKey:" with `value` when the object answers it.
bool setByKey(NSObject* object, const std::string& key, NSObject* value) {
    if (key.empty() || !object) return false;
    std::string setter = "set" + key + ":";
    setter[3] = static_cast<char>(std::toupper(static_cast<unsigned char>(setter[3])));
    SEL s = sel_registerName(setter.c_str());
    if (!object->respondsToSelector(s)) return false;
    objc::send<void, id>(object, s, value);
    return true;
}

Ref<NSObject> instantiate(NSDictionary* entry) {
    std::string className = textOf(entry, "class");
    Class cls = objc_getClass(className.c_str());
    id classObject = reinterpret_cast<id>(cls);
    if (!cls || !objc::send<BOOL, SEL>(classObject, "respondsToSelector:", sel_registerName("alloc"))) {
        NSLog("Interface file: no class named %s", className.c_str());
        return nullptr;
    }
    auto object = Ref<NSObject>::adopt(objc::cast<NSObject>(objc::send<id>(classObject, "alloc")));
    if (!object) return nullptr;
    reportWrongTypes(entry);
    auto decoder = make<UINibDecoder>(Ref<NSDictionary>(entry));
    SEL initWithCoder = sel_registerName("initWithCoder:");
    if (object->respondsToSelector(initWithCoder)) {
        objc::send<id, id>(object.get(), initWithCoder, decoder.get());
    } else if (auto* view = objc::cast<UIView>(object.get())) {
        view->initWithFrame(decoder->decodeFrame());
    } else {
        objc::send<id>(object.get(), "init");
    }
    if (auto* view = objc::cast<UIView>(object.get())) {
        if (auto* tag = objc::cast<NSNumber>(entry->objectForKey("tag"_ns))) view->setTag(tag->intValue());
        if (auto* mask = objc::cast<NSNumber>(entry->objectForKey("autoresizingMask"_ns)))
            view->setAutoresizingMask(static_cast<UIViewAutoresizing>(mask->integerValue()));
        if (Ref<UIColor> background = colorOf(entry->objectForKey("backgroundColor"_ns)))
            view->setBackgroundColor(background);
    }
    if (auto* image = objc::cast<NSString>(entry->objectForKey("image"_ns)))
        setByKey(object, "image", UIImage::imageNamed(image).get());
    if (auto* text = objc::cast<NSString>(entry->objectForKey("text"_ns))) setByKey(object, "text", text);
    SEL setTitle = sel_registerName("setTitle:forState:");
    auto* title = objc::cast<NSString>(entry->objectForKey("title"_ns));
    if (title && object->respondsToSelector(setTitle)) objc::send<void, id, NSUInteger>(object, setTitle, title, 0);
    if (Ref<UIColor> textColor = colorOf(entry->objectForKey("textColor"_ns)))
        setByKey(object, "textColor", textColor.get());
    return object;
}

}  // namespace

Ref<NSArray> UINib::loadNibNamed(NSString* name, NSObject* owner, NSBundle* bundle) {
    Ref<NSString> path = (bundle ? bundle : NSBundle::mainBundle())->pathForResource(name, "nib"_ns);
    // A missing file is no fault: controllers look for one named after them.
    if (!path) return nullptr;
    Ref<NSDictionary> file = NSDictionary::dictionaryWithContentsOfFile(path);
    auto* entries = file ? objc::cast<NSArray>(file->objectForKey("objects"_ns)) : nullptr;
    if (!entries) {
        NSLog("Interface file %@: not an interface file (no list of objects)", path.get());
        return nullptr;
    }

    std::map<std::string, NSObject*> lookup;
    // The objects in file order, for the awakening.
    std::vector<Ref<NSObject>> made;
    lookup["owner"] = owner;
    auto topLevel = NSMutableArray::array();
    for (NSUInteger i = 0; i < entries->count(); ++i) {
        auto* entry = objc::cast<NSDictionary>(entries->objectAtIndex(i));
        if (!entry) {
            NSLog("Interface file %@: object %lu is not a dictionary", name, i);
            continue;
        }
        Ref<NSObject> object = instantiate(entry);
        if (!object) continue;
        std::string superId = textOf(entry, "superview");
        auto* view = objc::cast<UIView>(object.get());
        auto* superview = objc::cast<UIView>(lookup.count(superId) ? lookup[superId] : nullptr);
        if (auto* cell = objc::cast<UITableViewCell>(superview)) superview = cell->contentView();
        if (view && superview) {
            superview->addSubview(view);
        } else {
            topLevel->addObject(object);
        }
        std::string id = textOf(entry, "id");
        lookup[id] = object.get();
        made.push_back(object);
    }

    auto connections = [&](const char* kind, auto connect) {
        auto* list = objc::cast<NSArray>(file->objectForKey(NSString::from(kind)));
        for (NSUInteger i = 0; list && i < list->count(); ++i) {
            auto* entry = objc::cast<NSDictionary>(list->objectAtIndex(i));
            if (!entry || !connect(entry)) NSLog("Interface file %@: %s %lu not connected", name, kind, i);
        }
    };
    auto find = [&](const std::string& id) -> NSObject* { return lookup.count(id) ? lookup[id] : nullptr; };
    connections("outlets", [&](NSDictionary* entry) {
        NSObject* destination = find(textOf(entry, "destination"));
        return destination && setByKey(find(textOf(entry, "object")), textOf(entry, "key"), destination);
    });
    connections("actions", [&](NSDictionary* entry) {
        NSObject* source = find(textOf(entry, "object"));
        NSObject* target = find(textOf(entry, "target"));
        std::string action = textOf(entry, "selector");
        SEL add = sel_registerName("addTarget:action:forControlEvents:");
        if (!source || !target || action.empty() || !source->respondsToSelector(add)) return false;
        objc::send<void, id, SEL, NSUInteger>(source, add, target, sel_registerName(action.c_str()),
                                                UIControlEventTouchUpInside);
        return true;
    });
    // Every object is connected before any hears that it came out of the file.
    SEL awake = sel_registerName("awakeFromNib");
    for (const Ref<NSObject>& object : made)
        if (object->respondsToSelector(awake)) objc::send<void>(object.get(), awake);
    return topLevel;
}

bool UINib::loadViewOfController(UIViewController* controller) {
    NSString* nibName = controller->nibName();
    Ref<NSString> name = nibName ? Ref<NSString>(nibName) : NSString::from(class_getName(object_getClass(controller)));
    if (!loadNibNamed(name, controller)) return false;
    return controller->isViewLoaded();
}
