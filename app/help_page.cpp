#include "app/help_page.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/help_topics.h"
#include "pages/widgets/clickable_label.h"

namespace kelvaro {
namespace {

// The topic list: 18 pixels a topic, 6 pixels from the top at position 0.
constexpr int kTopicHeight = 18;
constexpr int kListTop = 6;
constexpr int kLastScrollPosition = 21;
constexpr int kIndexWidth = 130;

int listTop(int position) { return kListTop - kTopicHeight * position; }

}  // namespace

HelpPage::HelpPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 4, 4, 4);
  row->setSpacing(4);

  // The index: a clipped panel holding the topic list, and its scroll control.
  auto* index = new QFrame(this);
  index->setObjectName("helpIndex");
  index->setFrameShape(QFrame::StyledPanel);
  index->setFixedWidth(kIndexWidth);
  topicList_ = new QWidget(index);
  topicList_->setObjectName("helpTopicList");
  const auto topics = helpTopics();
  topicList_->setGeometry(2, kListTop, kIndexWidth - 4, kTopicHeight * static_cast<int>(topics.size()));
  for (std::size_t i = 0; i < topics.size(); ++i) {
    auto* label = new ClickableLabel(QString::fromUtf8(topics[i].caption), topicList_);
    label->setObjectName(QString("helpTopic_") + topics[i].key);
    label->setAccessibleName(label->text());
    label->setGeometry(4, kTopicHeight * static_cast<int>(i), kIndexWidth - 12, kTopicHeight);
    // While the mouse button is held on a topic, it shows in bold.
    QFont held = label->font();
    held.setBold(true);
    held.setUnderline(true);
    label->setPressedFont(held);
    const int topic = static_cast<int>(i);
    connect(label, &ClickableLabel::clicked, this, [this, topic] { showTopic(topic); });
    topicLabels_.push_back(label);
  }
  indexScroll_ = new QScrollBar(Qt::Vertical, this);
  indexScroll_->setObjectName("helpIndexScroll");
  indexScroll_->setAccessibleName(QString::fromUtf8("Przewiń listę tematów"));
  indexScroll_->setRange(0, kLastScrollPosition);
  indexScroll_->setPageStep(1);
  connect(indexScroll_, &QScrollBar::valueChanged, this,
          [this](int position) { topicList_->move(topicList_->x(), listTop(position)); });
  row->addWidget(index);
  row->addWidget(indexScroll_);

  // One description panel per topic, all in the same place.
  auto* descriptions = new QWidget(this);
  descriptions->setObjectName("helpDescriptions");
  auto* stack = new QVBoxLayout(descriptions);
  stack->setContentsMargins(0, 0, 0, 0);
  for (const HelpTopic& topic : topics) {
    auto* panel = new QScrollArea(descriptions);
    panel->setObjectName(QString("helpPanel_") + topic.key);
    panel->setWidgetResizable(true);
    panel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panel->setFrameShape(QFrame::NoFrame);
    // Announced as the topic it describes.
    panel->setAccessibleName(QString::fromUtf8(topic.heading));
    panel->verticalScrollBar()->setAccessibleName(QString::fromUtf8(topic.heading));
    auto* body = new QWidget(panel);
    body->setAutoFillBackground(false);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(6, 2, 6, 2);
    auto* heading = new QLabel(QString::fromUtf8(topic.heading), body);
    heading->setObjectName("helpHeading");
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    heading->setFont(big);
    auto* text = new QLabel(QString::fromUtf8(topic.text), body);
    text->setObjectName("helpText");
    text->setWordWrap(true);
    // Wrapped to the panel's width, however long its lines would be.
    text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    column->addWidget(heading);
    column->addWidget(text);
    column->addStretch(1);
    panel->setWidget(body);
    panel->viewport()->setAutoFillBackground(false);
    stack->addWidget(panel);
    panels_.push_back(panel);
  }
  row->addWidget(descriptions, 1);

  // The help as it is at start-up: every panel hidden, then the page's own.
  resetHelp();
  showTopic(helpTopicIndex("pomoc"));
}

void HelpPage::resetHelp() {
  for (QWidget* panel : panels_) panel->hide();
}

void HelpPage::showTopic(int index) {
  resetHelp();
  if (index >= 0 && index < static_cast<int>(panels_.size()))
    panels_[static_cast<std::size_t>(index)]->show();
}

int HelpPage::shownTopic() const {
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    if (!panels_[i]->isHidden()) return static_cast<int>(i);
  }
  return -1;
}

void HelpPage::reRead() {
  showTopic(helpTopicIndex("pomoc"));
  indexScroll_->setValue(0);
  topicList_->move(topicList_->x(), listTop(0));
}

}  // namespace kelvaro
