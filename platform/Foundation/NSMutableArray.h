// An array that changes in place. Adding nil raises, as on the phone.
#pragma once

#include "Foundation/NSArray.h"

class NSMutableArray : public NSArray {
    KORVEL_OBJC_CLASS(NSMutableArray)
public:
    using NSArray::NSArray;

    static Ref<NSMutableArray> array();
    static Ref<NSMutableArray> arrayWithArray(const NSArray* array);

    void addObject(NSObject* object);
    void addObjectsFromArray(const NSArray* array);
    void insertObject(NSObject* object, NSUInteger index);
    void removeObjectAtIndex(NSUInteger index);
    void removeLastObject();
    // Removes every member equal to `object`.
    void removeObject(const NSObject* object);
    void removeAllObjects();
    void replaceObjectAtIndex(NSUInteger index, NSObject* object);
};
