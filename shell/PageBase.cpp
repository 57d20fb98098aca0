#include "shell/PageBase.h"

PageBase::PageBase(QWidget* parent) : QFrame(parent)
{
}

PageBase::~PageBase() = default;

void PageBase::blockUiSignals(bool block)
{
    Q_UNUSED(block);
}

void PageBase::setPageFocus()
{
}
