#include "hotkeys/fakes/hotkeys_fixture.h"
#include "hotkeys/menu_conflicts.h"

using namespace zendra;

namespace {

using namespace Hotkeys;
using namespace Hotkeys::ModifierFlag;

class RecorderMenuTest : public zendra::test::HotkeysFixture {};

TEST_F(RecorderMenuTest, FindsItemsDepthFirstWithExactModifiersAndAKeyCharacter) {
    const Menu menu{
        {"Edit",
         "",
         0,
         {{"Undo", "z", command, {}},
          {"Redo", "Z", command, {}},
          {"Find", "", 0, {{"Find Next", "g", command, {}}}}}},
        {"Window", "", 0, {{"Minimize", "m", command | option, {}}}},
        {"Paste Style", "v", command | shift, {}},
        {"Blank", "", command, {}},
    };
    const std::pair<Shortcut, QString> cases[] = {
        {Shortcut(Key::z, command), "Undo"},
        {Shortcut(Key::g, command), "Find Next"},
        {Shortcut(Key::m, command | option), "Minimize"},
        {Shortcut(Key::m, command), ""},           // a modifier missing
        {Shortcut(Key::g, command | control), ""}, // a modifier too many
        {Shortcut(Key::z, command | shift), "Redo"},
        {Shortcut(Key::v, command | shift), "Paste Style"},
        {Shortcut(Key::shift, command), ""}, // no character: never an item without a key equivalent
    };
    auto titleOf = [&](const Shortcut& shortcut) {
        const MenuEntry* entry = matchingMenuItem(menu, shortcut);
        return entry ? entry->title : QString();
    };
    for (const auto& [shortcut, title] : cases) {
        EXPECT_EQ(titleOf(shortcut), title) << shortcut.description().toStdString();
    }
    layout->hasLayout = false;
    EXPECT_EQ(titleOf(Shortcut(Key::z, command)), "") << "a key without a character matches nothing";
}

} // namespace
