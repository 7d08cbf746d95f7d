#include "almanac/TFormOnther.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>

#include "almanac/OmenPages.h"
#include "services/Fonts.h"
#include "services/WidgetHelpers.h"
#include "services/WindowPresenter.h"

QPointer<TFormOnther> FormOnther;

using namespace tongshu;

namespace {

// Text lines with one empty line between them and none at the end.
QString PageText(std::span<const std::string_view> lines) {
  QStringList out;
  for (const std::string_view line : lines) out << U8(line);
  return out.join(QStringLiteral("\n\n"));
}

}  // namespace

TFormOnther::TFormOnther(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FormOnther"));
  setFont(UiFont(kSongTi, 12));
  // 388 x 283 outside.
  setFixedSize(380, 249);

  m_pages = new QStackedWidget(this);
  m_pages->setObjectName(QStringLiteral("RzPageControl1"));
  m_pages->setGeometry(0, 0, 380, 174);
  static constexpr const char* kMemoNames[7] = {"RzMemo1", "RzMemo2", "RzMemo3", "RzMemo4",
                                                "RzMemo5", "RzMemo8", "RzMemo7"};
  for (int i = 0; i < 7; ++i) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
    auto* memo = new QPlainTextEdit(sheet);
    memo->setObjectName(QString::fromLatin1(kMemoNames[i]));
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setFont(UiFont(kSongTi, 12));
    QPalette pal = memo->palette();
    pal.setColor(QPalette::Base, Qt::white);
    memo->setPalette(pal);
    memo->setPlainText(PageText(almanac::kOmenPages[static_cast<std::size_t>(i)]));
    memo->setGeometry(2, 2, 376, 170);
    m_pages->addWidget(sheet);
  }
  m_noPage = new QWidget;
  m_noPage->setObjectName(QStringLiteral("NoPage"));
  m_pages->addWidget(m_noPage);
  m_pages->setCurrentWidget(m_noPage);

  auto* note = new QLabel(this);
  note->setObjectName(QStringLiteral("RzLabel1"));
  note->setWordWrap(true);
  note->setFont(UiFont(kSongTi, 12));
  QPalette pal = note->palette();
  pal.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
  note->setPalette(pal);
  // The label draws LF breaks; the CR LF text stays the label's own.
  note->setText(U8(almanac::kOmenNote).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed());
  note->setProperty("noteText", U8(almanac::kOmenNote));
  note->setGeometry(4, 176, 374, 72);
  note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  CentreOnScreen(*this);
}

int TFormOnther::activePageIndex() const {
  const int i = m_pages->currentIndex();
  return (i >= 0 && i < 7) ? i : -1;
}

void TFormOnther::setActivePage(int pageIndex) {
  if (pageIndex >= 0 && pageIndex <= 6)
    m_pages->setCurrentIndex(pageIndex);
  else
    m_pages->setCurrentWidget(m_noPage);
}

void TFormOnther::FormClose() {
  // Whichever omen window closes clears the reference.
  FormOnther = nullptr;
}

void TFormOnther::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void ShowOmenWindow(Services& services, QWidget* parent, const QString& title, int pageIndex) {
  // The non-modal convention, with caption and page set before it is shown.
  auto* w = new TFormOnther(parent);
  w->setAttribute(Qt::WA_DeleteOnClose);
  FormOnther = w;
  w->setWindowTitle(title);
  w->setActivePage(pageIndex);
  services.presenter.showNonModal(*w);
}
