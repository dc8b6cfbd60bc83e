#pragma once

#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "pages/FeaturePage.h"
#include "pages/Pages.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QStringList>
#include <gtest/gtest.h>

// A new configuration, English texts, Help on and Lock off; the pages are
// made by name as the main window makes them, and unloaded after each test.
class PageFixture : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gHelpOn = true;
        gLock = 0;
        Pages::RegisterForms();
    }
    void TearDown() override {
        for (QObject* form : Platform::Forms::Loaded())
            delete form;
        gLock = 0;
    }

    static Pages::FeaturePage* Open(const char* name) {
        auto* page = qobject_cast<Pages::FeaturePage*>(Platform::Forms::Create(name));
        EXPECT_NE(page, nullptr) << name;
        return page;
    }

    template <typename T = QWidget>
    static T* Control(QWidget* page, const char* name, int index = -1) {
        for (auto* w : page->findChildren<T*>(name))
            if (index < 0 || w->property("Index").toInt() == index) return w;
        return nullptr;
    }
    static QComboBox* List(QWidget* page, int index, const char* name = "Combo1") {
        auto* list = Control<QComboBox>(page, name, index);
        EXPECT_NE(list, nullptr) << name << index;
        return list;
    }
    static QStringList Items(const QComboBox* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }
    // A user's choice of the entry with this text.
    static void Pick(QComboBox* list, const QString& text) {
        const int i = list->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        list->setCurrentIndex(i);
    }

    // The channel table holds exactly these channel numbers, in this order.
    static void SetChannels(std::initializer_list<int> numbers) {
        gEditData.ChannelCount = 0;
        for (int n : numbers)
            ASSERT_TRUE(ModShowFreFun::AddChannel(n, QStringLiteral("435.00000")));
    }

    TestSupport::TempProgram program;
};
