#include "forms/feature/CFrontPanelWidget.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using rps::CFrontPanelWidget;

namespace {

QColor colourAtCentreOf(CFrontPanelWidget& panel, int key)
{
    const QImage picture = panel.grab().toImage();
    return picture.pixelColor(panel.keyRect(key).center());
}

} // namespace

TEST(FrontPanelWidget, MarksOnlyTheSelectedKey)
{
    CFrontPanelWidget panel;
    panel.resize(560, 150);
    panel.setKeyNames({"PF1", "PF2", "PF3", "PF4", "PF5", "PF6"});
    const QColor mark = panel.palette().color(QPalette::Highlight);

    panel.setSelectedKey(2);
    EXPECT_EQ(panel.selectedKey(), 2);
    for (int key = 0; key < CFrontPanelWidget::kKeys; ++key)
        EXPECT_EQ(colourAtCentreOf(panel, key) == mark, key == 2) << key;

    panel.setSelectedKey(5);
    EXPECT_NE(colourAtCentreOf(panel, 2), mark);
    EXPECT_EQ(colourAtCentreOf(panel, 5), mark);

    panel.setSelectedKey(6); // a row that is not a key marks none
    EXPECT_EQ(panel.selectedKey(), -1);
    EXPECT_NE(colourAtCentreOf(panel, 5), mark);
}

TEST(FrontPanelWidget, KeysSitSideBySideInsideThePanelAtAnySize)
{
    for (const QSize size : {QSize(560, 150), QSize(320, 90), QSize(1200, 300)}) {
        CFrontPanelWidget panel;
        panel.resize(size);
        for (int key = 0; key < CFrontPanelWidget::kKeys; ++key) {
            const QRect face = panel.keyRect(key);
            EXPECT_FALSE(face.isEmpty()) << key;
            EXPECT_TRUE(panel.rect().contains(face)) << key;
            if (key > 0) {
                EXPECT_LT(panel.keyRect(key - 1).right(), face.left()) << key;
            }
        }
        EXPECT_TRUE(panel.keyRect(-1).isNull());
        EXPECT_TRUE(panel.keyRect(6).isNull());
    }
}

TEST(FrontPanelWidget, ClickingAKeyReportsIt)
{
    CFrontPanelWidget panel;
    panel.resize(560, 150);
    QSignalSpy clicked(&panel, &CFrontPanelWidget::keyClicked);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, panel.keyRect(3).center());
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(2, 2)); // the chassis is not a key
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 3);
}
