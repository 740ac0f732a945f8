#include "UIKit/UIGraphics.h"

#include <vector>

namespace {

std::vector<Ref<CGContext>>& contextStack() {
    static std::vector<Ref<CGContext>> stack;
    return stack;
}

}  // namespace

CGContextRef UIGraphicsGetCurrentContext() {
    auto& stack = contextStack();
    return stack.empty() ? nullptr : stack.back().get();
}

void UIGraphicsPushContext(CGContextRef context) { contextStack().emplace_back(context); }

void UIGraphicsPopContext() {
    auto& stack = contextStack();
    if (!stack.empty()) stack.pop_back();
}
