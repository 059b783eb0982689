#include "widgets/browserview.h"

#include "app/kabuk.h"

#include <QLabel>
#include <QVBoxLayout>

#ifdef TARVESA_HAVE_WEBENGINE_WIDGETS
#include <QWebEngineView>
#endif

BrowserView::BrowserView(QWidget *parent) : QWidget(parent)
{
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
#ifdef TARVESA_HAVE_WEBENGINE_WIDGETS
  view_ = new QWebEngineView(this);
#else
  auto *notice = new QLabel(QStringLiteral("Sayfa tarayıcınızda açıldı."), this);
  notice->setAlignment(Qt::AlignCenter);
  view_ = notice;
#endif
  layout->addWidget(view_);
}

bool BrowserView::hasEngine()
{
#ifdef TARVESA_HAVE_WEBENGINE_WIDGETS
  return true;
#else
  return false;
#endif
}

void BrowserView::Navigate(const QString &address)
{
  url_ = QUrl(address, QUrl::TolerantMode);
#ifdef TARVESA_HAVE_WEBENGINE_WIDGETS
  static_cast<QWebEngineView *>(view_)->load(url_);
#else
  KabuktaAc(address);
#endif
}
