#pragma once

#include "pages/appearance/colour_elements.h"
#include "pages/page.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kelvaro {

class ApplyCommand;
class ColourButton;
class ColourMiniature;
class IniFile;

// Page `kolory` ("Kolory"): the 29 system colours shown in a miniature of the
// desktop, eleven of them edited through the element list and the two
// colour buttons, all of them replaced by a built-in scheme; "Zapisz" writes
// them to Control Panel\Colors and win.ini's [colors] and sets them in the
// running system, and stays enabled.
class ColorsPage : public Page {
  Q_OBJECT

 public:
  ColorsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  // What the miniature shows, by system colour index.
  const SystemColours& colours() const { return colours_; }
  // The element being edited (1-11).
  int currentEntry() const { return current_; }
  ColourMiniature* miniature() const { return miniature_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  IniFile winIni() const;
  void paint(const ColourPairs& pairs);
  void finishLoad();
  void selectEntry(int entry);
  void colour1Chosen(Rgb colour);
  void colour2Chosen(Rgb colour);
  void schemeChosen(const QString& text);
  WriteResult apply();

  SystemColours colours_{};
  int current_ = kDesktopEntry;

  ColourMiniature* miniature_ = nullptr;
  QListWidget* elements_ = nullptr;
  QLabel* element_ = nullptr;
  ColourButton* kolor1_ = nullptr;
  ColourButton* kolor2_ = nullptr;
  QComboBox* schemes_ = nullptr;
  ApplyCommand* apply_ = nullptr;
};

}  // namespace kelvaro
