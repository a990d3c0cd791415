#include "pages/system/history_page.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr char kBars[] =
    "SOFTWARE\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}";
constexpr char kFilesHint[] = "Wybierz pozycję do usinięcia (Lista ostatnio wyszukiwanych plików i folderów)";
constexpr char kComputersHint[] =
    "Wybierz pozycję do usunięcia (Lista ostatnio szukanych komputerów w Sieci)";
constexpr char kFilesClear[] = "Kliknij, aby usunąć wszystkie pozycje z menu \"ZNAJDŹ\"";
constexpr char kComputersClear[] = "Kliknij, aby usunąć wszystkie pozycje z menu \"ZNAJDŹ KOMPUTER\"";

enum class Form { Lettered, Named };

struct HistoryList {
  const char* id;
  const char* parent;  // the key the history's own key sits in
  const char* child;
  Form form;
  int section;
  const char* hint;
  const char* removeCaption;
  const char* clearHint;
};

constexpr std::array<HistoryList, HistoryPage::kLists> kHistory{{
    {"runHistory", kExplorer, "RunMRU", Form::Lettered, 0,
     "Wybierz pozycję do usinięcia (Lista ostatnio uruchamianych rzeczy za pomocą polecenia \"Uruchom\")",
     "Usuń z menu \"Uruchom\"", "Kliknij, aby usunąć wszystkie pozycje z menu \"URUCHOM\""},
    {"fileSearches", kExplorer, "Doc Find Spec MRU", Form::Lettered, 1, kFilesHint, "Usuń z menu \"Znajdź\"",
     kFilesClear},
    {"fileSearchesNamed", kBars, "FilesNamedMRU", Form::Named, 1, kFilesHint, "Usuń z menu Znajdź",
     kFilesClear},
    {"computerSearches", kExplorer, "FindComputerMRU", Form::Lettered, 2, kComputersHint,
     "Usuń z menu \"Znajdź komputer\"", kComputersClear},
    {"computerSearchesNamed", kBars, "ComputerNameMRU", Form::Named, 2, kComputersHint,
     "Usuń z menu \"Znajdź komputer\"", kComputersClear},
}};

std::string keyOf(const HistoryList& list) { return std::string(list.parent) + "\\" + list.child; }

std::string missingEntry(HistoryPage::ListId id, const QString& typed) {
  const bool computers = id == HistoryPage::ComputersOld || id == HistoryPage::ComputersNew;
  return "Wpis \"" + typed.toStdString() + "\" nie istnieje w menu \"" +
         (computers ? "Wyszukaj komputer" : "Wyszukaj") +
         "\". Najprawdopodobniej został wprowadzony przez Ciebie. Nie można go usunąć, bo nie istnieje !!!";
}

}  // namespace

HistoryPage::HistoryPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 8, 10, 8);
  const std::array<QString, 3> titles{QStringLiteral("Menu \"URUCHOM\""), QStringLiteral("Menu \"ZNAJDŹ\""),
                                      QStringLiteral("Menu \"ZNAJDŹ KOMPUTER\"")};
  std::array<QGridLayout*, 3> places{};
  for (int s = 0; s < 3; ++s) {
    auto* group = new QGroupBox(titles[s], this);
    group->setObjectName(QStringLiteral("historySection%1").arg(s));
    places[s] = new QGridLayout(group);
    layout->addWidget(group);
  }
  layout->addStretch(1);

  for (int id = 0; id < kLists; ++id) {
    const HistoryList& h = kHistory[id];
    List& list = lists_[id];
    const QString name = QString::fromLatin1(h.id);
    list.panel = new QWidget(this);
    list.panel->setObjectName(name + "Panel");
    auto* row = new QHBoxLayout(list.panel);
    row->setContentsMargins(0, 0, 0, 0);
    list.box = new QComboBox(list.panel);
    list.box->setObjectName(name);
    list.box->setEditable(true);
    list.box->setInsertPolicy(QComboBox::NoInsert);
    list.box->setToolTip(QString::fromUtf8(h.hint));
    list.box->setAccessibleName(QString::fromUtf8(h.removeCaption));
    list.box->lineEdit()->setAccessibleName(QString::fromUtf8(h.removeCaption));
    list.box->installEventFilter(this);
    list.box->lineEdit()->installEventFilter(this);
    list.remove = new QPushButton(QString::fromUtf8(h.removeCaption), list.panel);
    list.remove->setObjectName(name + "Remove");
    list.clear = new QPushButton(QStringLiteral("Wyczyść"), list.panel);
    list.clear->setObjectName(name + "Clear");
    list.clear->setToolTip(QString::fromUtf8(h.clearHint));
    row->addWidget(list.box, 1);
    row->addWidget(list.remove);
    row->addWidget(list.clear);
    // Both forms of a search history take the same place.
    places[h.section]->addWidget(list.panel, 0, 0);
    connect(list.remove, &QPushButton::clicked, this, [this, id] { removeEntry(static_cast<ListId>(id)); });
    connect(list.clear, &QPushButton::clicked, this, [this, id] { clearList(static_cast<ListId>(id)); });
  }
}

void HistoryPage::enableButtons(ListId id, bool enabled) {
  lists_[id].remove->setEnabled(enabled);
  lists_[id].clear->setEnabled(enabled);
}

void HistoryPage::load() {
  for (List& list : lists_) {
    list.box->clear();
    list.box->setEditText({});
    list.names.clear();
    list.remove->setEnabled(true);
    list.clear->setEnabled(true);
  }
  lists_[ComputersOld].box->setEnabled(true);
  lists_[FilesNew].panel->hide();
  lists_[ComputersNew].panel->hide();
  lists_[FilesOld].panel->show();
  lists_[ComputersOld].panel->show();

  loadLettered(Run);
  loadLettered(FilesOld);
  loadNamed(FilesNew);
  loadLettered(ComputersOld);
  loadNamed(ComputersNew);
}

void HistoryPage::loadLettered(ListId id) {
  List& list = lists_[id];
  const std::string key = keyOf(kHistory[id]);
  RegistryHandle reg(app().registry());
  std::string order;
  if (openForRead(reg, key)) order = guardedReadString(reg, "MRUList");
  for (char letter : order) {
    const std::string name(1, letter);
    reg.closeKey();
    if (!openForRead(reg, key)) continue;
    std::string text = guardedReadString(reg, name);
    // The Run box stores what it ran followed by "\1".
    if (id == Run && text.ends_with('1')) {
      text.resize(text.size() >= 2 ? text.size() - 2 : 0);
    } else if (text.empty()) {
      continue;
    }
    list.box->addItem(QString::fromStdString(text));
    list.names.push_back(name);
  }
  if (order.empty()) {
    enableButtons(id, false);
    list.box->setEditText({});
  } else if (list.box->count() > 0) {
    list.box->setCurrentIndex(0);
  }
}

void HistoryPage::loadNamed(ListId id) {
  List& list = lists_[id];
  RegistryHandle reg(app().registry());
  if (!openForRead(reg, keyOf(kHistory[id]))) {
    enableButtons(id, false);
    return;
  }
  const std::vector<std::string> names = reg.valueNames();
  if (names.empty()) {
    enableButtons(id, false);
    list.box->setEditText({});
    return;
  }
  // Read without the guard: a value of another kind is the store's error.
  for (const std::string& name : names) {
    list.box->addItem(QString::fromStdString(reg.readString(name)));
    list.names.push_back(name);
  }
  list.panel->show();
  if (id == FilesNew) lists_[FilesOld].panel->hide();
  if (id == ComputersNew) {
    lists_[ComputersOld].box->setEnabled(false);
    lists_[ComputersOld].panel->hide();
  }
  list.box->setCurrentIndex(0);
}

void HistoryPage::removeEntry(ListId id) {
  List& list = lists_[id];
  const QString typed = list.box->currentText();
  const int at = list.box->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
  const std::string key = keyOf(kHistory[id]);
  run([&] {
    RegistryHandle reg(app().registry());
    if (kHistory[id].form == Form::Named) {
      openForWrite(reg, key);
      if (at < 0) {
        app().dialogs().message(missingEntry(id, typed));
      } else if (const std::string& name = list.names[at]; reg.valueExists(name)) {
        reg.deleteValue(name);
      } else {
        app().dialogs().message(missingEntry(id, typed));
      }
      return;
    }
    // The letter the entry was read from: an order naming a missing value
    // would otherwise point a position at another entry's letter.
    const std::string letter = at < 0 ? std::string() : list.names[at];
    auto without = [&letter](std::string order) {
      order.erase(std::remove(order.begin(), order.end(), letter.front()), order.end());
      return order;
    };
    if (id == ComputersOld) {
      if (at < 0) {
        app().dialogs().message(missingEntry(id, typed));
        return;
      }
      reg.openKey(key, false);
      const std::string order = reg.readString("MRUList");
      if (reg.valueExists(letter))
        reg.deleteValue(letter);
      else
        app().dialogs().message(missingEntry(id, typed));
      reg.writeString("MRUList", without(order));
      return;
    }
    openForWrite(reg, key);
    const bool ordered = reg.valueKind("MRUList") == ValueKind::String && !reg.readString("MRUList").empty();
    if (at < 0 || !ordered) {
      app().dialogs().message(missingEntry(id, typed));
      return;
    }
    reg.deleteValue(letter);
    reg.writeString("MRUList", without(reg.readString("MRUList")));
  });
  run([this] { reload(); });
}

void HistoryPage::clearList(ListId id) {
  const HistoryList& h = kHistory[id];
  run([&] {
    RegistryHandle reg(app().registry());
    if (!openForRead(reg, h.parent) || !reg.keyExists(h.child)) return;
    reg.deleteKey(h.child);
    reg.createKey(h.child);
  });
  run([this] { reload(); });
}

bool HistoryPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    for (int id = 0; id < kLists; ++id) {
      const List& list = lists_[id];
      if ((watched == list.box || watched == list.box->lineEdit()) && list.remove->isEnabled()) {
        removeEntry(static_cast<ListId>(id));
        return true;
      }
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
