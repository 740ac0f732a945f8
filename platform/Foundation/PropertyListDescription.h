// The text that `description` gives for collections: the old bracketed
// property-list form, nested collections indented four spaces per level, and
// texts quoted unless they are plain words.
#pragma once

#include <string>

class NSObject;

class PropertyListDescription {
public:
    static std::string describe(const NSObject* object, unsigned level = 0);
};
