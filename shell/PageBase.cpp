#include "shell/PageBase.h"

#include "shell/ApplicationStyle.h"
#include "shell/BackButton.h"
#include "shell/PageHistory.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

PageBase::PageBase(QWidget* parent) : QFrame(parent)
{
    ensureApplicationStyle();
}

PageBase::~PageBase() = default;

void PageBase::ensureBuilt() const
{
    if (myBuilt)
        return;
    auto* self = const_cast<PageBase*>(this);
    // Marked first: what buildPage() calls may ask for the page's widgets again.
    self->myBuilt = true;
    self->buildPage();
    Q_EMIT self->pageBuilt();
}

void PageBase::buildPage()
{
}

void PageBase::setVisible(bool visible)
{
    if (visible)
        ensureBuilt();
    QFrame::setVisible(visible);
}

void PageBase::blockUiSignals(bool block)
{
    Q_UNUSED(block);
}

void PageBase::setPageFocus()
{
}

void PageBase::setBackButton(BackButton* button, PageHistory& history)
{
    disarmBackButton();
    myBackButton = button;
    myBackHistory = &history;
    if (isVisible())
        armBackButton();
}

void PageBase::armBackButton()
{
    // A hidden page's button cannot be pressed; its show event arms it.
    if (!myBackButton || !myBackHistory || myBackConnection || !isVisible())
        return;
    myBackConnection = connect(myBackButton, &BackButton::backButtonClicked, this, &PageBase::backButtonClicked);
}

void PageBase::disarmBackButton()
{
    if (myBackConnection)
        disconnect(myBackConnection);
    myBackConnection = {};
}

void PageBase::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    armBackButton();
}

void PageBase::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    disarmBackButton();
}

void PageBase::keyPressEvent(QKeyEvent* event)
{
    const bool select = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Check boxes are left to their views, which flip them on Return themselves.
    auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (select && button && isAncestorOf(button) && button->isEnabled() && button->isVisible()) {
        // Held down, the key clicks once.
        if (!event->isAutoRepeat())
            button->click();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void PageBase::backButtonActed(bool longClick)
{
    Q_UNUSED(longClick);
}

void PageBase::backButtonClicked(bool longClick)
{
    disarmBackButton();
    myBackHistory->emitBack(longClick);
    backButtonActed(longClick);
}
