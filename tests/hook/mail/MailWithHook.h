// A device folder with the hook installed where the loader looks, loaded
// into this test process through the stand-in Mail's loader, plus helpers to
// write the two preference files and to make rows the way Mail makes them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "Foundation/NSArray.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "MailAccount.h"
#include "MailMessage.h"
#include "MailboxContentViewCell.h"
#include "UIKit/UIColor.h"
#include "UIKit/UILabel.h"
#include "objc/NSAutoreleasePool.h"

class MailWithHook : public ::testing::Test {
public:
    static constexpr NSInteger kLabelTag = 333;

    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the label preferences: style and options, then address keys.
    void writePreferences(NSDictionary* preferences);
    void removePreferences();
    // Writes raw bytes as the label preferences file.
    void writeRawPreferences(const std::string& bytes);
    // LinesOfPreview: a number, or absent with nullopt.
    void writeMailPreferences(std::optional<int> linesOfPreview);
    // LinesOfPreview as any value; nil: absent.
    void writeMailPreferences(NSObject* linesOfPreview);

    static Ref<NSDictionary> record(float red, float green, float blue, float alpha = 1);
    static Ref<NSMutableDictionary> preferences(std::initializer_list<std::pair<const char*, NSObject*>> entries);
    static Ref<NSArray> texts(std::initializer_list<const char*> entries);

    // A message received at `account`, with its sender, "to" and "cc" lists.
    static Ref<MailMessage> message(const char* account, std::initializer_list<const char*> sender,
                                    std::initializer_list<const char*> to = {},
                                    std::initializer_list<const char*> cc = {});

    // A row made as Mail makes it: alloc, then init by selector.
    static Ref<MailboxContentViewCell> makeCell();
    static void assign(MailboxContentViewCell* cell, MailMessage* message);
    // Lays the row out, which asks for the date label's frame by selector.
    static void layOut(MailboxContentViewCell* cell);
    static UIView* label(UIView* cell) { return cell->viewWithTag(kLabelTag); }

    static void expectColour(UIColor* colour, float red, float green, float blue, float alpha);
    static void expectWhite(UIColor* colour) { expectColour(colour, 1, 1, 1, 1); }

    static std::filesystem::path device_;

private:
    NSAutoreleasePool* pool_ = nullptr;
};
