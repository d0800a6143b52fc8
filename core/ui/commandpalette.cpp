#include "core/ui/commandpalette.h"

#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/contextmanager.h"
#include "core/coreids.h"
#include "core/icore.h"
#include "core/ui/menumnemonics.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSettings>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char s_recentKey[] = "Zelto/RecentCommands";
const int s_nMaxIdLength = 200;   // longer values in the settings are not command identifiers
const int s_nShownRows = 12;

// Paints a command in one line: its text, its menu path dimmed beside it and
// its shortcut at the right end.
class PaletteDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *pPainter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QString strText = item.text;
        item.text.clear();
        QStyle *pStyle = item.widget ? item.widget->style() : QApplication::style();
        pStyle->drawControl(QStyle::CE_ItemViewItem, &item, pPainter, item.widget);   // background and selection

        QRect rect = pStyle->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget).adjusted(6, 0, -8, 0);
        const bool bSelected = item.state & QStyle::State_Selected;
        const QColor textColor = item.palette.color(bSelected ? QPalette::HighlightedText : QPalette::Text);
        QColor mutedColor = textColor;
        mutedColor.setAlphaF(0.62);
        const QFontMetrics metrics(item.font);
        const int nFlags = Qt::AlignVCenter | Qt::TextSingleLine;

        pPainter->save();
        const QString strShortcut = index.data(CommandPaletteModel::ShortcutRole).toString();
        if (!strShortcut.isEmpty()) {
            pPainter->setPen(mutedColor);
            pPainter->drawText(rect, nFlags | Qt::AlignRight, strShortcut);
            rect.setRight(rect.right() - metrics.horizontalAdvance(strShortcut) - 16);
        }
        pPainter->setPen(textColor);
        const QString strShown = metrics.elidedText(strText, Qt::ElideRight, rect.width());
        pPainter->drawText(rect, nFlags | Qt::AlignLeft, strShown);
        rect.setLeft(rect.left() + metrics.horizontalAdvance(strShown) + 14);
        const QString strPath = index.data(CommandPaletteModel::PathRole).toString();
        if (!strPath.isEmpty() && rect.width() > metrics.averageCharWidth() * 4) {
            pPainter->setPen(mutedColor);
            pPainter->drawText(rect, nFlags | Qt::AlignLeft, metrics.elidedText(strPath, Qt::ElideMiddle, rect.width()));
        }
        pPainter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(qMax(size.height(), option.fontMetrics.height() + 12));
        return size;
    }
};

// Where each command's visible action sits in the menus: "File > Save As >
// Other Project", in the order the menus show them.
void collectMenuPaths(const QList<QAction *> &lstActions, const QString &strPrefix, QHash<QAction *, QString> *pPaths,
                     QList<QAction *> *pOrder)
{
    for (QAction *pAction : lstActions) {
        if (pAction->isSeparator())
            continue;
        const QString strTitle = MenuMnemonics::strip(pAction->text());
        const QString strPath = strPrefix.isEmpty() ? strTitle : strPrefix + QStringLiteral(" > ") + strTitle;
        if (QMenu *pMenu = pAction->menu()) {
            collectMenuPaths(pMenu->actions(), strPath, pPaths, pOrder);
        } else if (!pPaths->contains(pAction)) {
            pPaths->insert(pAction, strPath);
            pOrder->append(pAction);
        }
    }
}

} // namespace

CommandPalette::CommandPalette(QWidget *pMainWindow)
    : QFrame(pMainWindow, Qt::Popup)
    , m_pMainWindow(pMainWindow)
{
    setObjectName(QStringLiteral("CommandPalette"));
    setAccessibleName(tr("Find Command"));
    setFrameShape(QFrame::StyledPanel);

    m_pFilterEdit = new QLineEdit(this);
    m_pFilterEdit->setObjectName(QStringLiteral("m_pFilterEdit"));
    m_pFilterEdit->setPlaceholderText(tr("Type the name of a command"));
    m_pFilterEdit->setAccessibleName(tr("Command name"));
    m_pFilterEdit->setAccessibleDescription(
        tr("Type part of a command's name. The arrow keys choose a command, Enter runs it, Escape closes."));
    m_pFilterEdit->installEventFilter(this);

    m_pModel = new CommandPaletteModel(this);
    m_pList = new QListView(this);
    m_pList->setObjectName(QStringLiteral("m_pCommandList"));
    m_pList->setAccessibleName(tr("Commands"));
    m_pList->setModel(m_pModel);
    m_pList->setItemDelegate(new PaletteDelegate(m_pList));
    m_pList->setUniformItemSizes(true);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The typing stays in the field; the list follows its arrow keys.
    m_pList->setFocusPolicy(Qt::NoFocus);

    m_pEmptyLabel = new QLabel(tr("No command matches."), this);
    m_pEmptyLabel->setObjectName(QStringLiteral("m_pEmptyLabel"));
    m_pEmptyLabel->hide();

    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(6, 6, 6, 6);
    pLayout->setSpacing(4);
    pLayout->addWidget(m_pFilterEdit);
    pLayout->addWidget(m_pList, 1);
    pLayout->addWidget(m_pEmptyLabel);

    connect(m_pFilterEdit, &QLineEdit::textChanged, this, &CommandPalette::filter);
    connect(m_pList, &QListView::clicked, this, [this](const QModelIndex &index) { runRow(index.row()); });
}

CommandPalette::~CommandPalette() = default;

QStringList CommandPalette::recentCommands()
{
    // The settings file is the user's to edit: take what looks like
    // identifiers, as many as are kept.
    QStringList lstRecent;
    if (QSettings *pSettings = ICore::settings()) {
        for (const QString &strId : pSettings->value(QLatin1String(s_recentKey)).toStringList()) {
            if (!strId.isEmpty() && strId.size() <= s_nMaxIdLength && !lstRecent.contains(strId))
                lstRecent.append(strId);
            if (lstRecent.size() == s_nMaxRecent)
                break;
        }
    }
    return lstRecent;
}

void CommandPalette::rememberCommand(const QString &strId)
{
    QStringList lstRecent = recentCommands();
    lstRecent.removeAll(strId);
    lstRecent.prepend(strId);
    if (QSettings *pSettings = ICore::settings())
        pSettings->setValue(QLatin1String(s_recentKey), QStringList(lstRecent.mid(0, s_nMaxRecent)));
}

QVector<CommandPaletteModel::Entry> CommandPalette::collectEntries(const QStringList &lstRecent) const
{
    QHash<QAction *, QString> hashPaths;
    QList<QAction *> lstMenuOrder;
    if (ActionContainer *pMenuBar = ActionManager::getActionContainer(QLatin1String(CoreIds::MenuBar))) {
        if (pMenuBar->getMenuBar())
            collectMenuPaths(pMenuBar->getMenuBar()->actions(), QString(), &hashPaths, &lstMenuOrder);
    }

    QHash<QAction *, ContextAction *> hashCommands;
    QList<ContextAction *> lstOutsideMenus;
    for (ContextAction *pCommand : ActionManager::getActions()) {
        QAction *pAction = pCommand->getAction();
        if (pCommand->isSeparator() || !pAction->isVisible() || !pAction->isEnabled()
            || pCommand->getId() == QLatin1String(CoreIds::HelpFindCommand) || MenuMnemonics::strip(pAction->text()).isEmpty())
            continue;
        hashCommands.insert(pAction, pCommand);
        if (!hashPaths.contains(pAction))
            lstOutsideMenus.append(pCommand);
    }

    QVector<CommandPaletteModel::Entry> lstEntries;
    const auto add = [&](ContextAction *pCommand) {
        QAction *pAction = pCommand->getAction();
        lstEntries.append({pCommand->getId(), MenuMnemonics::strip(pAction->text()), hashPaths.value(pAction),
                           pAction->shortcut().toString(QKeySequence::NativeText),
                           int(lstRecent.indexOf(pCommand->getId()))});
    };
    for (QAction *pAction : qAsConst(lstMenuOrder)) {
        if (ContextAction *pCommand = hashCommands.value(pAction))
            add(pCommand);
    }
    for (ContextAction *pCommand : qAsConst(lstOutsideMenus))
        add(pCommand);
    return lstEntries;
}

void CommandPalette::popup()
{
    // The commands are those of the place the focus is in now; opening the
    // palette must not move them to the main window's.
    // From the menu bar's keyboard mode, the place is where the user worked
    // before: the menus never take the context.
    QWidget *pFocus = QApplication::focusWidget();
    if (pFocus && (pFocus->window() == this || qobject_cast<QMenuBar *>(pFocus) || qobject_cast<QMenu *>(pFocus)))
        pFocus = nullptr;
    m_pContext = pFocus ? ContextManager::getActiveContext(pFocus).pWidget : ActionManager::getContext();
    if (!m_pContext)
        m_pContext = m_pMainWindow;
    if (!pFocus && m_pContext && !qobject_cast<QMenuBar *>(m_pContext->focusWidget()))
        pFocus = m_pContext->focusWidget();
    m_pReturnFocus = pFocus;
    ActionManager::setContext(m_pContext);
    m_pModel->setEntries(collectEntries(recentCommands()));
    m_pFilterEdit->clear();
    filter(QString());

    if (auto *pWindow = qobject_cast<QMainWindow *>(m_pMainWindow.data())) {
        const int nWidth = qBound(qMin(360, pWindow->width()), pWindow->width() * 3 / 5, 680);
        const int nTop = pWindow->menuWidget() ? pWindow->menuWidget()->geometry().bottom() + 4 : 40;
        resize(nWidth, height());
        move(pWindow->mapToGlobal(QPoint((pWindow->width() - nWidth) / 2, nTop)));
    }
    fitHeight();
    show();
    m_pFilterEdit->setFocus(Qt::PopupFocusReason);
}

void CommandPalette::filter(const QString &strText)
{
    m_pModel->setFilter(strText);
    const bool bEmpty = m_pModel->rowCount() == 0;
    m_pEmptyLabel->setVisible(bEmpty);
    m_pList->setVisible(!bEmpty);
    if (!bEmpty)
        m_pList->setCurrentIndex(m_pModel->index(0, 0));
    fitHeight();
}

void CommandPalette::fitHeight()
{
    // As tall as the commands found, up to a dozen rows, and never beyond
    // the bottom of the main window.
    const int nRow = m_pList->sizeHintForRow(0) > 0 ? m_pList->sizeHintForRow(0) : fontMetrics().height() + 12;
    const int nRows = qBound(1, m_pModel->rowCount(), s_nShownRows);
    int nHeight = m_pFilterEdit->sizeHint().height() + 24
                  + (m_pModel->rowCount() == 0 ? m_pEmptyLabel->sizeHint().height() : nRow * nRows + 4);
    if (m_pMainWindow)
        nHeight = qMin(nHeight, m_pMainWindow->mapToGlobal(QPoint(0, m_pMainWindow->height())).y() - y());
    resize(width(), nHeight);
}

void CommandPalette::runRow(int nRow)
{
    const QString strId = m_pModel->idAt(nRow);
    if (strId.isEmpty())
        return;
    hide();
    // Once the palette is gone and the focus is back where it came from: a
    // command may well open a dialog of its own.
    const QPointer<QWidget> pContext = m_pContext;
    QTimer::singleShot(0, this, [strId, pContext]() {
        if (pContext)
            ActionManager::setContext(pContext);
        ContextAction *pCommand = ActionManager::getAction(strId);
        if (!pCommand || !pCommand->getAction()->isEnabled())
            return;
        rememberCommand(strId);
        pCommand->getAction()->trigger();
    });
}

void CommandPalette::hideEvent(QHideEvent *pEvent)
{
    QFrame::hideEvent(pEvent);
    // Not every platform gives the window and the focus back by itself.
    if (m_pMainWindow)
        m_pMainWindow->activateWindow();
    if (m_pReturnFocus)
        m_pReturnFocus->setFocus(Qt::PopupFocusReason);
}

bool CommandPalette::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    if (pWatched == m_pFilterEdit && pEvent->type() == QEvent::KeyPress) {
        auto *pKeyEvent = static_cast<QKeyEvent *>(pEvent);
        switch (pKeyEvent->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QApplication::sendEvent(m_pList, pKeyEvent);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            runRow(m_pList->currentIndex().isValid() ? m_pList->currentIndex().row() : 0);
            return true;
        case Qt::Key_Escape:
            hide();
            return true;
        default:
            break;
        }
    }
    return QFrame::eventFilter(pWatched, pEvent);
}
