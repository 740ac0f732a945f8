// Which address a row takes its colour from: the account, or with the alias
// option the sender (else the first recipient), with the account as fall-back.
#include "MailWithHook.h"

namespace {

class AddressColour : public MailWithHook {
protected:
    void SetUp() override {
        MailWithHook::SetUp();
        writePreferences(preferences({
            {"main_mailbox_color_aliases", NSNumber::numberWithInt(1)},
            {"anna@example.com", record(1, 0, 0)},
            {"bob@example.net", record(0, 1, 0)},
            {"carol@example.org", record(0, 0, 1)},
            {"quick@example.net", NSNumber::numberWithInt(3)},
            {"nored@example.net", preferences({{"green", NSNumber::numberWithFloat(1)}})},
        }));
    }

    // The label's colour for a message received at anna@example.com.
    void expectRowColour(std::initializer_list<const char*> sender, std::initializer_list<const char*> to,
                         std::initializer_list<const char*> cc, float red, float green, float blue) {
        auto cell = makeCell();
        assign(cell, message("anna@example.com", sender, to, cc));
        expectColour(label(cell)->backgroundColor(), red, green, blue, 1);
    }
};

}  // namespace

TEST_F(AddressColour, SenderAddressIsTakenFromBetweenTheAngleBrackets) {
    expectRowColour({"Bob Smith <bob@example.net>"}, {}, {}, 0, 1, 0);
    expectRowColour({"\"Bob\" <BOB@Example.NET>"}, {}, {}, 0, 1, 0);
    expectRowColour({"bob@example.net"}, {}, {}, 0, 1, 0);
    // Only the first "<" opens, and the first ">" after it closes.
    expectRowColour({"Bob <bob@example.net> <carol@example.org>"}, {}, {}, 0, 1, 0);
}

TEST_F(AddressColour, UnusableSenderFallsBackToTheAccount) {
    // "<" without ">" leaves the whole entry, which has no colour.
    expectRowColour({"Bob <bob@example.net"}, {}, {}, 1, 0, 0);
    // A second "<" before any ">" ends the piece that needed one.
    expectRowColour({"Bob <<bob@example.net>"}, {}, {}, 1, 0, 0);
    expectRowColour({"Bob <bob@example.net<x>"}, {}, {}, 1, 0, 0);
    // Nothing is trimmed.
    expectRowColour({" bob@example.net"}, {}, {}, 1, 0, 0);
    // A quick-colour number is no colour record.
    expectRowColour({"quick@example.net"}, {}, {}, 1, 0, 0);
}

TEST_F(AddressColour, ASendersDictionaryWithoutRedIsKeptAndGivesWhite) {
    // A dictionary is usable, so the account is not asked; without "red" it
    // is no colour record, so the row is white.
    expectRowColour({"Nored <nored@example.net>"}, {}, {}, 1, 1, 1);
    expectRowColour({}, {"nored@example.net"}, {}, 1, 1, 1);
}

TEST_F(AddressColour, OnlyTheFirstNonEmptyListCounts) {
    // The sender has no colour: a coloured recipient does not stand in.
    expectRowColour({"dave@example.com"}, {"carol@example.org"}, {}, 1, 0, 0);
    // No sender: the first recipient's colour.
    expectRowColour({}, {"Carol <carol@example.org>", "bob@example.net"}, {}, 0, 0, 1);
    // Nobody in "to" either: the first "cc".
    expectRowColour({}, {}, {"bob@example.net"}, 0, 1, 0);
    // All three empty: the account.
    expectRowColour({}, {}, {}, 1, 0, 0);
}

TEST_F(AddressColour, WithTheOptionOffTheAccountDecides) {
    writePreferences(preferences({{"main_mailbox_color_aliases", "0"_ns},
                                  {"anna@example.com", record(1, 0, 0)},
                                  {"bob@example.net", record(0, 1, 0)}}));
    expectRowColour({"bob@example.net"}, {}, {}, 1, 0, 0);
}

TEST_F(AddressColour, OptionGivenAsTextOrBooleanCounts) {
    const Ref<NSObject> ons[] = {"1"_ns, NSNumber::numberWithBool(true)};
    for (NSObject* on : ons) {
        auto prefs = preferences({{"anna@example.com", record(1, 0, 0)}, {"bob@example.net", record(0, 1, 0)}});
        prefs->setObject(on, "main_mailbox_color_aliases"_ns);
        writePreferences(prefs);
        expectRowColour({"bob@example.net"}, {}, {}, 0, 1, 0);
    }
}

TEST_F(AddressColour, DateBackgroundFallsBackOnlyWhenThereIsNoValue) {
    auto prefs = preferences({{"main_mailbox_color_aliases", NSNumber::numberWithInt(1)},
                              {"mail_label_style", NSNumber::numberWithInt(5)},
                              {"anna@example.com", record(1, 0, 0)},
                              {"quick@example.net", NSNumber::numberWithInt(3)}});
    writePreferences(prefs);
    auto cell = makeCell();
    assign(cell, message("anna@example.com", {"quick@example.net"}));
    layOut(cell);
    // The quick-colour number is a value, so it is kept: it has no
    // components and gives a transparent background, not a crash.
    auto* background = static_cast<UIView*>(cell->dateLabel()->subviews()->objectAtIndex(0));
    expectColour(background->backgroundColor(), 0, 0, 0, 0);

    assign(cell, message("anna@example.com", {"nobody@example.com"}));
    layOut(cell);
    expectColour(background->backgroundColor(), 1, 0, 0, 1);
}
