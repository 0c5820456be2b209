#include "CHelpWindow.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Folder of the pages of each language the program carries a translation for.
QString PageFolder(const QString& languageName)
{
    if (languageName == QStringLiteral("Русский"))
        return QStringLiteral("ru");
    return QStringLiteral("en");
}

QToolButton* NavigationButton(QStyle::StandardPixmap icon, const QString& toolTip, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

CHelpWindow::CHelpWindow(const QString& languageName, QWidget* parent)
    : QDialog(parent, Qt::Window), m_contents(ContentsPage(languageName)), m_pBrowser(new QTextBrowser(this))
{
    setWindowTitle(tr("Lumetrix Help"));
    m_pBrowser->setOpenExternalLinks(true);

    auto* back = NavigationButton(QStyle::SP_ArrowBack, tr("Back"), this);
    auto* forward = NavigationButton(QStyle::SP_ArrowForward, tr("Forward"), this);
    auto* contents = NavigationButton(QStyle::SP_DirHomeIcon, tr("Contents"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QToolButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_pBrowser, &QTextBrowser::forward);
    connect(contents, &QToolButton::clicked, this, &CHelpWindow::ShowContents);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &CHelpWindow::close);

    auto* navigation = new QHBoxLayout;
    navigation->setSpacing(2);
    navigation->addWidget(back);
    navigation->addWidget(forward);
    navigation->addWidget(contents);
    navigation->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(navigation);
    layout->addWidget(m_pBrowser);
    layout->addWidget(buttons);

    ShowContents();
}

QUrl CHelpWindow::ContentsPage(const QString& languageName)
{
    const QString page = QStringLiteral(":/help/%1/index.html");
    QString path = page.arg(PageFolder(languageName));
    if (!QFileInfo::exists(path))
        path = page.arg(QStringLiteral("en"));
    return QUrl(QStringLiteral("qrc") + path);
}

QSize CHelpWindow::sizeHint() const
{
    return QSize(720, 640);
}

void CHelpWindow::ShowContents()
{
    m_pBrowser->setSource(m_contents);
}
