#include "app/page.h"

#include <QAbstractButton>
#include <QVBoxLayout>

namespace kelvaro {

Page::Page(AppContext& app, const PageInfo& info, QWidget* parent) : QWidget(parent), app_(app), info_(info) {
  setObjectName(info.id);
  setAccessibleName(QString::fromUtf8(info.caption));
  if (!info.subPages.empty()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    subPages_ = new QTabWidget(this);
    subPages_->setObjectName(info.subPageControl);
    for (const SubPageInfo& sub : info.subPages) {
      auto* sheet = new QWidget(subPages_);
      sheet->setObjectName(sub.id);
      subPages_->addTab(sheet, QString::fromUtf8(sub.caption));
    }
    layout->addWidget(subPages_);
  }
}

bool Page::hasPendingEdits() const {
  for (const auto& marker : pendingMarkers_) {
    if (marker()) return true;
  }
  return false;
}

QWidget* Page::subPage(std::string_view id) const {
  if (!subPages_) return nullptr;
  for (int i = 0; i < subPages_->count(); ++i) {
    QWidget* sheet = subPages_->widget(i);
    if (sheet->objectName().toStdString() == id) return sheet;
  }
  return nullptr;
}

QWidget* Page::area(std::string_view subPageId) const {
  if (subPageId.empty()) return const_cast<Page*>(this);
  return subPage(subPageId);
}

void Page::addApplyCommand(QAbstractButton* button, std::function<void()> write, ApplyOptions options) {
  connect(button, &QAbstractButton::clicked, this, [this, button, write = std::move(write), options] {
    run([&] {
      write();
      app_.flush();
      if (options.setsRestartNeeded) app_.setRestartNeeded();
      button->setEnabled(false);
    });
  });
  if (options.consultedAtClose) addPendingMarker([button] { return button->isEnabled(); });
}

void Page::addPendingMarker(std::function<bool()> isOn) { pendingMarkers_.push_back(std::move(isOn)); }

}  // namespace kelvaro
