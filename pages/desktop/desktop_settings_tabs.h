#pragma once

#include <QObject>
#include <QString>

#include <functional>

#include "pages/apply_command.h"

class QAbstractButton;

namespace kelvaro {

class Page;

// The sub-pages "Ustawienia", "Ograniczenia" and "Organizuj" of `pulpit`:
// desktop and icon settings, the desktop policies, and the desktop folder's
// files and shortcuts. The desktop page owns them and calls their parts of
// its loader in its own order.
class DesktopSettingsTabs : public QObject {
  Q_OBJECT

 public:
  // Registers an Apply command on the page (the page owns its commands).
  using AddCommand = std::function<ApplyCommand&(QAbstractButton*, ApplyOptions, ApplyCommand::Write)>;

  DesktopSettingsTabs(Page& page, AddCommand addCommand);

  // The loader's steps that are these sub-pages', in the order it calls them.
  void loadFolderAndFirstSettings();
  void loadRestrictionsAndIcons();
  void loadRecycleBin();

  // Where the desktop's files and new shortcuts are.
  const QString& desktopFolder() const { return desktopFolder_; }

 private:
  Page& page_;
  AddCommand addCommand_;
  QString desktopFolder_;
};

}  // namespace kelvaro
