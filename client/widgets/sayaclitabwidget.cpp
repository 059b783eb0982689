#include "widgets/sayaclitabwidget.h"

#include "widgets/sayaclitabbar.h"

#include <QIcon>
#include <QStackedWidget>
#include <QVBoxLayout>

SayacliTabWidget::SayacliTabWidget(QWidget *parent) : QWidget(parent)
{
  bar_ = new SayacliTabBar;
  stack_ = new QStackedWidget;
  stack_->setObjectName(QStringLiteral("sayfalar"));
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar_);
  layout->addWidget(stack_, 1);
  connect(bar_, &SayacliTabBar::currentChanged, this, [this](int index) {
    stack_->setCurrentIndex(index);
    emit currentChanged(index);
  });
}

int SayacliTabWidget::addTab(QWidget *page, const QString &caption)
{
  return addTab(page, QIcon(), caption);
}

int SayacliTabWidget::addTab(QWidget *page, const QIcon &icon, const QString &caption)
{
  stack_->addWidget(page);
  return bar_->addTab(icon, caption);
}

int SayacliTabWidget::count() const
{
  return bar_->count();
}

QWidget *SayacliTabWidget::widget(int index) const
{
  return stack_->widget(index);
}

int SayacliTabWidget::indexOf(QWidget *page) const
{
  return stack_->indexOf(page);
}

int SayacliTabWidget::currentIndex() const
{
  return bar_->currentIndex();
}

QWidget *SayacliTabWidget::currentWidget() const
{
  return stack_->widget(bar_->currentIndex());
}

void SayacliTabWidget::setCurrentIndex(int index)
{
  if (bar_->isTabVisible(index))
    bar_->setCurrentIndex(index);
}

void SayacliTabWidget::setCurrentWidget(QWidget *page)
{
  setCurrentIndex(indexOf(page));
}

bool SayacliTabWidget::isTabVisible(int index) const
{
  return bar_->isTabVisible(index);
}

void SayacliTabWidget::setTabVisible(int index, bool visible)
{
  bar_->setTabVisible(index, visible);
}

QString SayacliTabWidget::tabText(int index) const
{
  return bar_->tabText(index);
}

void SayacliTabWidget::setTabText(int index, const QString &caption)
{
  bar_->setTabText(index, caption);
}

void SayacliTabWidget::setIconSize(const QSize &size)
{
  bar_->setIconSize(size);
}

void SayacliTabWidget::setCaption(QWidget *page, const QString &caption)
{
  setTabText(indexOf(page), caption);
}

QString SayacliTabWidget::caption(QWidget *page) const
{
  return tabText(indexOf(page));
}
