#include "pages/page.h"

#include <QAbstractButton>
#include <QVBoxLayout>

#include "store/registry_handle.h"

namespace kelvaro {

Page::Page(AppContext& app, const PageInfo& info, QWidget* parent) : QWidget(parent), app_(app), info_(info) {
  setObjectName(info.id);
  setAccessibleName(QString::fromUtf8(info.caption));
  if (!info.subPages.empty()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    subPages_ = new QTabWidget(this);
    subPages_->setObjectName(info.subPageControl);
    subPages_->setAccessibleName(QString::fromUtf8(info.caption));
    for (const SubPageInfo& sub : info.subPages) {
      auto* sheet = new QWidget(subPages_);
      sheet->setObjectName(sub.id);
      subPages_->addTab(sheet, QString::fromUtf8(sub.caption));
    }
    layout->addWidget(subPages_);
  }
}

Page::~Page() = default;

void Page::reload() {
  LoadScope scope(*this);
  if (!commands_.empty()) {
    RegistryHandle reg(app_.registry());
    for (const auto& command : commands_) command->loadBindings(reg);
  }
  load();
  for (const auto& command : commands_) command->reset();
}

bool Page::hasPendingEdits() const {
  for (const auto& command : commands_) {
    if (command->options().consultedAtClose && command->pending()) return true;
  }
  for (const auto& marker : pendingMarkers_) {
    if (marker()) return true;
  }
  return false;
}

std::vector<ApplyCommand*> Page::applyCommands() const {
  std::vector<ApplyCommand*> out;
  for (const auto& command : commands_) out.push_back(command.get());
  return out;
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

ApplyCommand& Page::addApplyCommand(QAbstractButton* button, ApplyOptions options,
                                    ApplyCommand::Write write) {
  commands_.push_back(std::make_unique<ApplyCommand>(*this, button, options, std::move(write)));
  return *commands_.back();
}

void Page::addPendingMarker(std::function<bool()> isOn) { pendingMarkers_.push_back(std::move(isOn)); }

LoadScope::LoadScope(Page& page) : page_(page) {
  ++page_.loading_;
  if (page_.info().loadsUnderGuard) guard_ = std::make_unique<AppContext::LoadingGuardScope>(page_.app());
}

LoadScope::~LoadScope() { --page_.loading_; }

}  // namespace kelvaro
