#include "pages/ModReFresh.h"
#include "tests/pages/PageFixture.h"

#include <QComboBox>

namespace {

using namespace ModReFresh;

class RefListsTest : public PageFixture {};

TEST_F(RefListsTest, GroupsAndPositionsAreAscendingWhateverTheOrderOfCreation) {
    SetChannels({18, 1, 17});
    EXPECT_EQ(GroupListTexts(), QStringList({"1", "2"}));
    EXPECT_EQ(GroupPositions(2), QList<int>({1, 2}));
    SetChannels({120, 20});
    EXPECT_EQ(GroupListTexts(), QStringList({"2", "8"}));
    EXPECT_EQ(GroupPositions(8), QList<int>({8}));
    EXPECT_TRUE(GroupPositions(0).isEmpty());
    EXPECT_TRUE(GroupPositions(3).isEmpty());
}

// Two lists wired as a page wires them: a chosen position is stored.
struct RefLists {
    QComboBox groups;
    QComboBox positions;
    quint8 ref[2] = {0, 0};
    RefLists() {
        QObject::connect(&positions, &QComboBox::currentIndexChanged, [this] {
            ref[1] = static_cast<quint8>(EntryValue(positions.currentText()));
        });
    }
    void Show(quint8 group, quint8 position) {
        ref[0] = group;
        ref[1] = position;
        BuildGroupList(&groups);
        ShowChannelRef(&groups, &positions, ref[0], ref[1]);
    }
};

TEST_F(RefListsTest, ShowingAStoredReferenceMovesItToAnExistingChannel) {
    SetChannels({1, 40, 38});
    RefLists lists;
    lists.Show(3, 5);
    EXPECT_EQ(lists.groups.currentText(), "3");
    EXPECT_EQ(Items(&lists.positions), QStringList({"6", "8"}));
    EXPECT_EQ(lists.positions.currentText(), "6");
    EXPECT_EQ(lists.ref[0], 3);
    EXPECT_EQ(lists.ref[1], 6);

    // (0, 0): the lowest channel; the same position again is stored again
    lists.Show(0, 0);
    EXPECT_EQ(lists.ref[0], 1);
    EXPECT_EQ(lists.ref[1], 1);

    // a stored group without channels: the lowest group
    lists.Show(5, 8);
    EXPECT_EQ(lists.ref[0], 1);
    EXPECT_EQ(lists.ref[1], 1);

    // no channel at all: both lists empty, the reference is (0, 0)
    gEditData.ChannelCount = 0;
    lists.Show(3, 8);
    EXPECT_EQ(lists.groups.count(), 0);
    EXPECT_EQ(lists.positions.count(), 0);
    EXPECT_EQ(lists.ref[0], 0);
    EXPECT_EQ(lists.ref[1], 0);
}

TEST_F(RefListsTest, DamagedChannelNumbersNameNoGroup) {
    SetChannels({5});
    gEditData.Channels[0].Number = 300;
    EXPECT_TRUE(GroupListTexts().isEmpty());
    EXPECT_TRUE(GroupPositions(19).isEmpty());
}

} // namespace
