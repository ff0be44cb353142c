#include "src/ui/command_table.h"

namespace tavlin {

namespace {

std::u16string KeyName(std::uint16_t key) {
  switch (key) {
    case kKeyTab:
      return u"Tab";
    case kKeyEnter:
      return u"Enter";
    case kKeyLeft:
      return u"←";
    case kKeyRight:
      return u"→";
    default:
      return std::u16string(1, static_cast<char16_t>(key));
  }
}

}  // namespace

const CommandRow* CommandOf(int id, CommandTable table) {
  for (const CommandRow& row : table)
    if (row.id == id) return &row;
  return nullptr;
}

std::optional<int> CommandOfKey(std::uint16_t key, unsigned modifiers,
                                FocusPlace focus, CommandTable table) {
  for (const CommandRow& row : table)
    if (row.key.key != 0 && row.key.key == key &&
        row.key.modifiers == modifiers && (row.key.where & focus) != 0)
      return row.id;
  return std::nullopt;
}

std::u16string MenuCaption(int id, CommandTable table) {
  const CommandRow* row = CommandOf(id, table);
  if (!row) return {};
  std::u16string caption(row->caption);
  if (row->key.key == 0) return caption;
  caption += u'\t';
  if (row->key.modifiers & kCtrl) caption += u"Ctrl+";
  if (row->key.modifiers & kShift) caption += u"Shift+";
  if (row->key.modifiers & kAlt) caption += u"Alt+";
  return caption + KeyName(row->key.key);
}

}  // namespace tavlin
