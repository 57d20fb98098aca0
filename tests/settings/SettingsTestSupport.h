#ifndef KRELVOX_SETTINGSTESTSUPPORT_H
#define KRELVOX_SETTINGSTESTSUPPORT_H

#include "core/constants/Settings.h"
#include "settings/SettingsPage.h"
#include "settings/SettingsViewGeneral.h"
#include "settings/SettingsViewPlay.h"
#include "settings/SettingsViewResult.h"
#include "widgets/SelectionBox.h"
#include "widgets/SelectionList.h"

#include <QCheckBox>
#include <QMap>
#include <QTabWidget>
#include <QTest>

// The option controls of a settings page by the settings key they store, and a
// user's hand on them.

inline QCheckBox* optionCheckBox(SettingsPage* page, const QString& key)
{
    if (key == SETTING_ACTIVATE_IN_FULLSCREEN)
        return page->getPlayView()->getFullScreenActivationBox();
    if (key == SETTING_KEEP_ASPECT_RATIO)
        return page->getPlayView()->getKeepAspectRatioBox();
    if (key == SETTING_RESTRICTED_CONTENT)
        return page->getResultView()->getAdultCheckBox();
    if (key == SETTING_SEARCH_COMPLETION_ENABLED)
        return page->getGeneralView()->getCompletionCheckBox();
    return nullptr;
}

inline SelectionBox* optionBox(SettingsPage* page, const QString& key)
{
    if (key == SETTING_START_PLAYING)
        return page->getPlayView()->getStartPlayingBox();
    if (key == SETTING_DISK_SPACE_LIMIT)
        return page->getGeneralView()->getLimitBox();
    if (key == SETTING_AMOUNT_OF_RESULTS)
        return page->getResultView()->getLimitBox();
    if (key == SETTING_TIME_FILTER)
        return page->getResultView()->getTimeFrameBox();
    if (key == SETTING_DEFAULT_SORTING_ORDER)
        return page->getResultView()->getSortingOrderBox();
    return nullptr;
}

// What the page shows for the option: "ticked", "unticked" or the box's text.
inline QString shownOption(SettingsPage* page, const QString& key)
{
    if (QCheckBox* box = optionCheckBox(page, key))
        return box->isChecked() ? QStringLiteral("ticked") : QStringLiteral("unticked");
    return optionBox(page, key)->text();
}

// A user's action on the option's control, on its tab: "pick N" (entry N of the
// box's list), "close" (the list opened and closed without a pick), "tap" (a check
// box), or a key on the control: "Left", "Right", "Up", "Down", "Return".
inline void changeOption(SettingsPage* page, const QString& key, const QString& action)
{
    QCheckBox* check = optionCheckBox(page, key);
    SelectionBox* box = optionBox(page, key);
    QWidget* control = check ? static_cast<QWidget*>(check) : box;
    page->getTabWidget()->setCurrentWidget(control->parentWidget());
    control->setFocus();
    const QString verb = action.section(QLatin1Char(' '), 0, 0);
    if (verb == QLatin1String("pick") || verb == QLatin1String("close")) {
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(box->listBox()->isVisible());
        if (verb == QLatin1String("pick")) {
            box->listBox()->setCurrentRow(action.section(QLatin1Char(' '), 1).toInt());
            QTest::keyClick(box->listBox()->listView(), Qt::Key_Return);
        } else {
            QTest::keyClick(box->listBox(), Qt::Key_Escape);
        }
        QVERIFY(!box->listBox()->isVisible());
    } else if (verb == QLatin1String("tap")) {
        check->click();
    } else {
        const QMap<QString, Qt::Key> keys = {{"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up},
                                             {"Down", Qt::Key_Down}, {"Return", Qt::Key_Return}};
        QVERIFY(keys.contains(action));
        QTest::keyClick(control, keys.value(action));
    }
}

#endif
