// The command tables: every menu item and key names one command, no key
// runs two commands of a window in one place, and a menu shows the key its
// command really has.
#include "src/ui/command_table.h"

#include <gtest/gtest.h>

#include <set>

#include "src/ui/slogan_menu.h"
#include "src/ui/storage_menu.h"

namespace tavlin {

namespace {

TEST(CommandTable, EveryMenuItemHasOneRowWithACaption) {
  for (const CommandTable table :
       {CommandTable(kMainCommands), CommandTable(kPosterCommands),
        CommandTable(kTallyCommands)}) {
    std::set<int> ids;
    for (const CommandRow& row : table)
      EXPECT_TRUE(ids.insert(row.id).second) << "two rows for " << row.id;
  }
  std::vector<int> items;
  for (const SloganMenuItem& item : kSloganMenu) items.push_back(item.command);
  for (const StorageMenuItem& item : kStorageMenu)
    items.push_back(item.command);
  for (int id : items) {
    ASSERT_NE(CommandOf(id), nullptr) << id;
    EXPECT_FALSE(CommandOf(id)->caption.empty()) << id;
  }
}

TEST(CommandTable, NoKeyRunsTwoCommandsWhereverTheFocusIs) {
  for (const CommandTable table :
       {CommandTable(kMainCommands), CommandTable(kPosterCommands),
        CommandTable(kTallyCommands)})
    for (const CommandRow& a : table)
      for (const CommandRow& b : table)
        if (&a != &b && a.key.key != 0)
          EXPECT_FALSE(a.key.key == b.key.key &&
                       a.key.modifiers == b.key.modifiers &&
                       (a.key.where & b.key.where) != 0)
              << a.id << " and " << b.id;
}

TEST(CommandTable, AKeyWorksOnlyWhereItsRowSays) {
  const struct {
    std::uint16_t key;
    unsigned modifiers;
    FocusPlace focus;
    std::optional<int> command;
  } cases[] = {
      {kKeyEnter, 0, kOnSloganList, kMenuStore},
      {kKeyEnter, 0, kOnStorageBox, std::nullopt},  // a new line there
      {'C', kCtrl, kOnSloganList, kMenuCopy},
      {'C', kCtrl, kOnStorageBox, std::nullopt},  // the box copies its own
      {kKeyLeft, kAlt, kOnTabs, kMenuEarlier},
      {kKeyLeft, kAlt, kOnStorageBox, std::nullopt},
      {'E', kCtrl, kOnStorageBox, kMenuEditPhrases},
      {'T', kCtrl, kOnSloganList, kStorageVoteTally},
      {kKeyTab, kCtrl | kShift, kOnStorageBox, kPreviousPage},
      {kKeyTab, kCtrl, kOnSloganList, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CommandOfKey(c.key, c.modifiers, c.focus), c.command)
        << c.key << " " << c.modifiers << " " << c.focus;
}

TEST(CommandTable, AMenuShowsTheKeyOfItsCommand) {
  EXPECT_EQ(MenuCaption(kMenuCopy), u"コピー(&C)\tCtrl+C");
  EXPECT_EQ(MenuCaption(kMenuLater), u"次の標語(&F)\tAlt+→");
  EXPECT_EQ(MenuCaption(kMenuStore), u"保管庫に追加(&A)\tEnter");
  EXPECT_EQ(MenuCaption(kStorageCopy), u"コピー(&C)");
}

}  // namespace

}  // namespace tavlin
