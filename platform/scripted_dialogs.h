#pragma once

#include <deque>
#include <variant>
#include <vector>

#include "platform/dialogs.h"

namespace kelvaro {

// The test double of Dialogs: records every box with its title, text, icon and
// buttons, and answers from a script. An unscripted box is answered with its
// first button (or a cancel) and also noted in unscripted, so a test can tell.
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    std::string kind;  // "box", "input", "file", "picture", "folder", "colour"
    MessageBoxSpec box;
    FileOpenSpec file;
    std::string prompt;
  };
  using Answer = std::variant<BoxButton, std::optional<std::string>, std::optional<Rgb>>;

  void answer(BoxButton button) { script.emplace_back(button); }
  void answer(std::optional<std::string> text) { script.emplace_back(std::move(text)); }
  void answerColour(std::optional<Rgb> colour) { script.emplace_back(colour); }

  BoxButton messageBox(const MessageBoxSpec& box) override {
    shown.push_back({"box", box, {}, {}});
    if (!script.empty() && std::holds_alternative<BoxButton>(script.front())) {
      const BoxButton b = std::get<BoxButton>(script.front());
      script.pop_front();
      return b;
    }
    if (box.buttons != BoxButton::Ok) ++unscripted;
    for (const BoxButton b : {BoxButton::Ok, BoxButton::Yes, BoxButton::No, BoxButton::Cancel}) {
      if (box.buttons & b) return b;
    }
    return BoxButton::Ok;
  }
  std::optional<std::string> inputBox(std::string_view title, std::string_view prompt,
                                      std::string_view defaultText) override {
    shown.push_back(
        {"input", {std::string(title), std::string(defaultText), BoxIcon::None, 0}, {}, std::string(prompt)});
    return nextText();
  }
  std::optional<std::string> openFile(const FileOpenSpec& spec) override {
    shown.push_back({"file", {spec.title, {}, BoxIcon::None, 0}, spec, {}});
    return nextText();
  }
  std::optional<std::string> openPicture(const FileOpenSpec& spec) override {
    shown.push_back({"picture", {spec.title, {}, BoxIcon::None, 0}, spec, {}});
    return nextText();
  }
  std::optional<std::string> browseFolder(std::string_view title, std::string_view initialFolder) override {
    shown.push_back({"folder", {std::string(title), std::string(initialFolder), BoxIcon::None, 0}, {}, {}});
    return nextText();
  }
  std::optional<Rgb> chooseColour(Rgb) override {
    shown.push_back({"colour", {}, {}, {}});
    if (!script.empty() && std::holds_alternative<std::optional<Rgb>>(script.front())) {
      auto c = std::get<std::optional<Rgb>>(script.front());
      script.pop_front();
      return c;
    }
    ++unscripted;
    return std::nullopt;
  }

  // The message boxes shown so far (not the other dialogs).
  std::vector<MessageBoxSpec> boxes() const {
    std::vector<MessageBoxSpec> out;
    for (const Shown& s : shown) {
      if (s.kind == "box") out.push_back(s.box);
    }
    return out;
  }

  std::vector<Shown> shown;
  std::deque<Answer> script;
  int unscripted = 0;

 private:
  std::optional<std::string> nextText() {
    if (!script.empty() && std::holds_alternative<std::optional<std::string>>(script.front())) {
      auto t = std::get<std::optional<std::string>>(script.front());
      script.pop_front();
      return t;
    }
    ++unscripted;
    return std::nullopt;
  }
};

}  // namespace kelvaro
