#include "hotkeys/fakes/hotkeys_fixture.h"
#include "hotkeys/menu_conflicts.h"

using namespace zendra;

namespace {

using namespace Hotkeys;

class RecorderMenuTest : public zendra::test::HotkeysFixture {
protected:
    const Menu menu{
        {"Edit",
         "",
         0,
         {{"Undo", "z", ModifierFlag::command, {}},
          {"Redo", "Z", ModifierFlag::command, {}},
          {"Find", "", 0, {{"Find Next", "g", ModifierFlag::command, {}}}}}},
        {"Window", "", 0, {{"Minimize", "m", ModifierFlag::command | ModifierFlag::option, {}}}},
    };
    static QString titleOf(const MenuEntry* entry) { return entry ? entry->title : QStringLiteral("<none>"); }
};

TEST_F(RecorderMenuTest, FindsItemsDepthFirstWithExactModifiers) {
    EXPECT_EQ(titleOf(matchingMenuItem(menu, Shortcut(Key::z, ModifierFlag::command))), "Undo");
    EXPECT_EQ(titleOf(matchingMenuItem(menu, Shortcut(Key::g, ModifierFlag::command))), "Find Next");
    EXPECT_EQ(titleOf(matchingMenuItem(menu, Shortcut(Key::m, ModifierFlag::command | ModifierFlag::option))),
              "Minimize");
    // Extra or missing modifiers do not match.
    EXPECT_EQ(titleOf(matchingMenuItem(menu, Shortcut(Key::m, ModifierFlag::command))), "<none>");
    EXPECT_EQ(
        titleOf(matchingMenuItem(menu, Shortcut(Key::g, ModifierFlag::command | ModifierFlag::control))),
        "<none>");
}

TEST_F(RecorderMenuTest, UpperCaseKeyEquivalentStandsForShift) {
    EXPECT_EQ(titleOf(matchingMenuItem(menu, Shortcut(Key::z, ModifierFlag::command | ModifierFlag::shift))),
              "Redo");
    const Menu shiftedLower{{"Paste Style", "v", ModifierFlag::command | ModifierFlag::shift, {}}};
    EXPECT_EQ(titleOf(matchingMenuItem(shiftedLower,
                                       Shortcut(Key::v, ModifierFlag::command | ModifierFlag::shift))),
              "Paste Style");
}

TEST_F(RecorderMenuTest, KeysWithoutACharacterNeverMatch) {
    layout->hasLayout = false;
    EXPECT_EQ(titleOf(matchingMenuItem(menu, Shortcut(Key::z, ModifierFlag::command))), "<none>");
    // An item without a key equivalent does not match a key whose character is empty.
    layout->hasLayout = true;
    const Menu blank{{"Blank", "", ModifierFlag::command, {}}};
    EXPECT_EQ(titleOf(matchingMenuItem(blank, Shortcut(Key::shift, ModifierFlag::command))), "<none>");
}

} // namespace
