// Interface files: a property list "<name>.nib" in the main bundle that
// describes objects by class name, how views nest, and the outlets and
// actions that connect them to each other and to the file's owner.
//
//   objects: [{ id, class, frame: [x, y, w, h], superview: id,
//               image: "file.png", text, backgroundColor/textColor: [r, g, b, a], tag,
//               autoresizingMask }]
//   outlets: [{ object: id | "owner", key, destination: id | "owner" }]
//   actions: [{ object: id, selector, target: id | "owner" }]
//
// Each object is made by its class's alloc and then initWithCoder: (when the
// class answers it) with a UINibDecoder of its entry; a view without it gets
// initWithFrame:, anything else init. An outlet is set with the key's setter
// ("setKey:"), an action with addTarget:action:forControlEvents: for a tap.
// Once all are connected, each object that answers awakeFromNib is sent it,
// in file order.
#pragma once

#include "objc/NSObject.h"

class NSArray;
class NSBundle;
class NSString;
class UIViewController;

class UINib : public NSObject {
    KORVEL_OBJC_CLASS(UINib)
public:
    // The objects that are not inside another view, in file order; nil when
    // the file is missing or not an interface file. Entries naming an
    // unknown class, and connections to unknown objects or keys, are skipped
    // with a log line. The file is looked up in `bundle`, the main bundle
    // when nil (the platform's NSBundle loadNibNamed:owner:options:, whose
    // options these files have no use for). A view placed in a table cell goes into the cell's content
    // view, as in the platform's interface files.
    static Ref<NSArray> loadNibNamed(NSString* name, NSObject* owner, NSBundle* bundle = nullptr);

    // The controller's interface file (its nib name, else its class name)
    // with the controller as owner; false when there is none or it gave the
    // controller no view.
    static bool loadViewOfController(UIViewController* controller);
};
