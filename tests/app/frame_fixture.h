#pragma once

#include <gtest/gtest.h>

#include <QTabWidget>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/scripted_dialogs.h"
#include "tests/support/recording_page.h"
#include "tests/support/test_environment.h"

namespace kelvaro::testing {

// A whole frame in a few lines: the test environment, scripted dialogs and
// recording pages for the pages named in withLoader.
class FrameFixture : public ::testing::Test {
 protected:
  TKelvaro::PageFactory recordingPages(std::set<std::string> withLoader) {
    return [this, withLoader](AppContext& app, const PageInfo& info, QWidget* parent) -> Page* {
      if (!withLoader.count(info.id)) return nullptr;
      const std::string id = info.id;
      auto* page = new RecordingPage(app, info, parent, log, {.setsRestartNeeded = id != "kolory"});
      recording[id] = page;
      return page;
    };
  }
  TKelvaro& makeWindow(std::set<std::string> withLoader = {"kursory", "kolory", "windows", "ograniczenia",
                                                           "logo", "OEM", "ikony", "internet", "triki"}) {
    window = std::make_unique<TKelvaro>(app, recordingPages(std::move(withLoader)));
    return *window;
  }
  std::string activeId() const { return window->activePage()->objectName().toStdString(); }
  template <class T>
  T* find(const char* name) const {
    T* w = window->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  TestEnvironment env;
  ScriptedDialogs dialogs;
  Platform platform{&env, &dialogs, nullptr};
  AppContext app{platform};
  std::vector<std::string> log;
  std::map<std::string, RecordingPage*> recording;
  std::unique_ptr<TKelvaro> window;
};

}  // namespace kelvaro::testing
