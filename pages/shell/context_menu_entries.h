#pragma once

#include <QString>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

class Registry;

// One entry of an object's context menu: its display name and its key path
// below HKEY_CLASSES_ROOT (a handler or a verb key).
struct MenuEntry {
  std::string name;
  std::string path;
};

// The context menu of an object: its handlers, then the verbs of each verb
// key in turn, each key's subkeys in ascending order without regard to case.
// Texts that name a class are replaced by the class's name; the stored
// English names of the common entries are shown in Polish, PLAY, RUN and
// PRINT only for a file type. Opens existing keys only.
std::vector<MenuEntry> readMenuEntries(Registry& registry, std::string_view handlerKey,
                                       std::span<const std::string> verbKeys, bool fileType);

// What an entry runs: the server of the class its key names, replaced by
// the key's default value, replaced by its command's; empty when none.
std::string entryCommand(Registry& registry, std::string_view path);

// The name with "&" before the character at a 1-based position; 0: none.
QString menuText(const QString& name, int position);

// The position one step up or down from `position` in a name of the menu
// texts: spaces are stepped over, and a step up past the last character
// turns round and steps down.
int steppedLetterPosition(const QString& name, int position, int direction);

// A command split at its program: the text up to the first ".exe" without
// the double quotes before it, and what follows after the closing quote and
// a blank.
struct SplitCommand {
  QString program;
  QString parameter;
};
SplitCommand splitCommand(const QString& command);

// The description of a stored parameter; the form recognises more of them
// when it opens than when the user changes the parameter.
QString parameterDescription(const QString& parameter, bool whenOpening);
// The parameters the edit form offers, in order.
std::span<const char* const> offeredParameters();

}  // namespace kelvaro
