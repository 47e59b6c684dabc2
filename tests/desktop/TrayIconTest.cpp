#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "desktop/TCallbackWindow.h"
#include "desktop/TTrayIcon.h"
#include "tests/desktop/ShellRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"

TEST(TrayIconRegister, NumbersFollowTheLastInUseAndTheHundredAndFirstIsRefused) {
    std::vector<std::unique_ptr<TTrayIcon>> icons;
    for (int i = 0; i < 3; ++i) icons.push_back(std::make_unique<TTrayIcon>(nullptr));
    EXPECT_EQ(icons[0]->IconNumber(), 1);
    EXPECT_EQ(icons[1]->IconNumber(), 2);
    EXPECT_EQ(icons[2]->IconNumber(), 3);

    icons.pop_back();
    icons.push_back(std::make_unique<TTrayIcon>(nullptr));
    EXPECT_EQ(icons.back()->IconNumber(), 3) << "the freed last number is used again";

    icons.erase(icons.begin() + 1);  // number 2: a gap is not filled
    icons.push_back(std::make_unique<TTrayIcon>(nullptr));
    EXPECT_EQ(icons.back()->IconNumber(), 4);

    while (icons.size() < 100) icons.push_back(std::make_unique<TTrayIcon>(nullptr));
    TComponent owner(nullptr);
    try {
        new TTrayIcon(&owner);
        FAIL() << "the 101st icon was accepted";
    } catch (const ENotifyIconError& error) {
        EXPECT_EQ(error.Message(), "タスクトレイにアイコンを登録できません。");
    }
    EXPECT_EQ(owner.ComponentCount(), 0) << "a refused icon must not stay with its owner";
    icons.pop_back();
    EXPECT_NO_THROW(icons.push_back(std::make_unique<TTrayIcon>(nullptr)));
}

TEST(TrayIcon, RecordSentToTheShellHasTheFirstLayoutAndFlagsFollowTheTip) {
    ShellRecorder shell;
    TTrayIcon icon(nullptr);
    icon.SetTipHelp("Pictavo");
    icon.SetVisible(true);
    ASSERT_TRUE(icon.Registered()) << "the shell refused the icon";
    icon.SetTipHelp("");
    icon.SetVisible(false);

    auto calls = shell.Calls();
    ASSERT_EQ(calls.size(), 3u);
    const NotifyIconRecord& added = calls[0].record;
    EXPECT_EQ(calls[0].action, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(added.size, 88u);
    EXPECT_EQ(added.window, TTrayIcon::CallbackWindow()->Handle());
    EXPECT_EQ(added.id, static_cast<UINT>(icon.IconNumber()));
    EXPECT_EQ(added.callbackMessage, 0x4C8u);
    EXPECT_EQ(added.flags, 7u);
    EXPECT_EQ(calls[0].tip, "Pictavo");
    EXPECT_EQ(added.icon, TApplication::Instance().Icon()) << "no icon of its own, no form: the application's";
    EXPECT_EQ(calls[1].action, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(calls[1].record.flags, 3u);
    EXPECT_EQ(calls[2].action, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(icon.Registered());
}

TEST(TrayIcon, TipIsCutTo62BytesAndAnUnchangedTipReachesNoShell) {
    ShellRecorder shell;
    TTrayIcon icon(nullptr);
    icon.SetVisible(true);
    const std::string seventy(70, 'x');
    icon.SetTipHelp(seventy);
    EXPECT_EQ(icon.TipHelp(), std::string(62, 'x'));
    size_t calls = shell.Count();
    EXPECT_EQ(shell.Calls().back().tip, std::string(62, 'x'));
    icon.SetTipHelp(seventy);
    icon.SetTipHelp(std::string(62, 'x'));
    EXPECT_EQ(shell.Count(), calls);
}

TEST(TrayIcon, SettersCompareFirstAndKeepTheirLimits) {
    ShellRecorder shell;
    TTrayIcon icon(nullptr);
    struct {
        int asked, kept;
    } rates[] = {{50, 100}, {100, 100}, {99, 100}, {250, 250}, {-5, 100}};
    for (auto rate : rates) {
        icon.SetAnimateRate(rate.asked);
        EXPECT_EQ(icon.AnimateRate(), rate.kept) << "asked " << rate.asked;
    }

    icon.SetVisible(true);
    shell.Clear();
    icon.SetIcon(&icon.Icon());
    EXPECT_EQ(shell.Count(), 0u) << "its own icon changes nothing";

    TIcon red;
    red.SetHandle(MakeSolidIcon(RGB(255, 0, 0)));
    icon.SetIcon(&red);
    ASSERT_EQ(shell.Count(), 1u);
    EXPECT_NE(icon.Icon().Handle(), red.Handle()) << "the picture is copied, not shared";
    EXPECT_EQ(shell.Calls()[0].centre, RGB(255, 0, 0));
    icon.SetIcon(nullptr);
    EXPECT_TRUE(icon.Icon().Empty());
    ASSERT_EQ(shell.Count(), 2u);
    EXPECT_EQ(shell.Calls()[1].record.icon, TApplication::Instance().Icon());
}

TEST(TrayIcon, BatchSetUpDropsThePlaceholderTipAndAddsOnceLoaded) {
    ShellRecorder shell;
    TTrayIcon plain(nullptr);
    EXPECT_EQ(plain.TipHelp(), "TipHelp");

    TTrayIcon icon(nullptr);
    icon.ReadState([&] {
        icon.SetVisible(true);
        EXPECT_EQ(shell.Count(), 0u) << "nothing reaches the shell while reading";
    });
    EXPECT_EQ(icon.TipHelp(), "");
    icon.Loaded();
    ASSERT_EQ(shell.Count(), 1u);
    EXPECT_EQ(shell.Calls()[0].action, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shell.Calls()[0].record.flags, 3u);
    EXPECT_TRUE(icon.Registered());
}

TEST(TrayIcon, RefusedAddOrModifyRaisesTheErrorAndARefusedDeleteIsIgnored) {
    ShellRecorder shell(false);
    TTrayIcon icon(nullptr);
    shell.Refuse(NIM_ADD);
    try {
        icon.SetVisible(true);
        FAIL() << "a refused add was taken for success";
    } catch (const ENotifyIconError& error) {
        EXPECT_EQ(error.Message(), "タスクトレイにアイコンを登録できません。");
    }
    EXPECT_FALSE(icon.Registered());
    EXPECT_FALSE(icon.Visible()) << "so that the next attempt is not ignored";

    shell.Refuse(NIM_MODIFY);
    icon.SetVisible(true);
    ASSERT_TRUE(icon.Registered());
    EXPECT_THROW(icon.SetTipHelp("new tip"), ENotifyIconError);

    shell.Refuse(NIM_DELETE);
    EXPECT_NO_THROW(icon.SetVisible(false));
    EXPECT_FALSE(icon.Registered());
}

TEST(TrayIcon, DestroyingAMenuClearsEveryPropertyThatNamesIt) {
    TForm form(nullptr);
    auto* icon = new TTrayIcon(&form);
    auto* menu = new TPopupMenu(nullptr);
    auto* other = new TPopupMenu(&form);
    icon->SetLBPopupMenu(menu);
    icon->SetRBPopupMenu(menu);
    delete menu;
    EXPECT_EQ(icon->LBPopupMenu(), nullptr);
    EXPECT_EQ(icon->RBPopupMenu(), nullptr);

    // A sibling on the same form, and an image list.
    auto* list = new TImageList(&form);
    icon->SetLBPopupMenu(other);
    icon->SetAnimateIcons(list);
    delete other;
    delete list;
    EXPECT_EQ(icon->LBPopupMenu(), nullptr);
    EXPECT_EQ(icon->AnimateIcons(), nullptr);
}

TEST(TrayIcon, RebuiltNotificationAreaGetsTheIconBack) {
    ShellRecorder shell;
    TTrayIcon icon(nullptr);
    TTrayIcon hidden(nullptr);
    icon.SetTipHelp("Pictavo");
    icon.SetVisible(true);
    ASSERT_TRUE(icon.Registered());

    // The shell loses the icon behind the component's back, as when it restarts.
    NotifyIconRecord gone = shell.Calls().back().record;
    ASSERT_TRUE(SystemShellNotify(NIM_DELETE, gone));
    shell.Clear();
    ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return shell.Count() >= 1; }));
    PumpFor(std::chrono::milliseconds(200));

    auto calls = shell.Calls();
    ASSERT_EQ(calls.size(), 1u) << "only the visible icon is added again";
    EXPECT_EQ(calls[0].action, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(calls[0].record.id, static_cast<UINT>(icon.IconNumber()));
    EXPECT_EQ(calls[0].tip, "Pictavo");
    // The shell holds it again: a change is accepted.
    EXPECT_NO_THROW(icon.SetTipHelp("Pictavo 2"));
}
