#pragma once

#include <span>

namespace kelvaro {

// One topic of the help index: its caption, the page it describes (or the
// key of a general topic) and its description.
struct HelpTopic {
  const char* caption;
  const char* key;
  const char* heading;
  const char* text;
};

// The topics from the top of the index to its bottom.
std::span<const HelpTopic> helpTopics();
// The position of the topic with this key, or -1.
int helpTopicIndex(const char* key);

}  // namespace kelvaro
