// Message, question and About windows.
#include <gtest/gtest.h>

#include "harness.h"
#include "platform/About.h"
#include "platform/kerdes.h"
#include "platform/uzenet.h"
#include "ui/controls.h"

#include <set>

class SmallWindowsTest : public WinTest {};

TEST_F(SmallWindowsTest, MessageWindowShowsTheTextAndClosesWithOkOrEnter) {
    ShowMessageWindow(L"Az adatbázis mentése megtörtént.");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"Az adatbázis mentése megtörtént.");

    AnswerNextModal([](Form&) { PressKey(GetFocus(), VK_RETURN); });
    ShowMessageWindow(L"");
    EXPECT_EQ(modalCount, 2);
}

TEST_F(SmallWindowsTest, QuestionIsTrueOnlyForOk) {
    AnswerNextModal([](Form&) { PressKey(GetFocus(), VK_RETURN); });
    EXPECT_TRUE(ShowQuestionWindow(L"Valóban töröljem a bejegyzést?"));
    AnswerNextModal([](Form&) { PressKey(GetFocus(), VK_ESCAPE); });
    EXPECT_FALSE(ShowQuestionWindow(L"Esc"));
    AnswerNextModal([](Form& f) { PostMessageW(f.Handle(), WM_CLOSE, 0, 0); });
    EXPECT_FALSE(ShowQuestionWindow(L"close box"));
    AnswerNextModal([](Form& f) {
        auto& q = static_cast<Tfrm_kerdez&>(f);
        SendMessageW(q.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(q.BitBtn2().Handle()));
    });
    EXPECT_FALSE(ShowQuestionWindow(L"Mégsem"));
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"Valóban töröljem a bejegyzést?", L"Esc", L"close box",
                                                   L"Mégsem"}));
}

TEST_F(SmallWindowsTest, QuestionWindowLayout) {
    Tfrm_kerdez q;
    q.SetText(L"?");
    RECT client = q.ClientRect();
    EXPECT_EQ(client.right, 279);
    EXPECT_EQ(client.bottom, 140);
    RECT ok;
    GetWindowRect(q.BitBtn1().Handle(), &ok);
    MapWindowPoints(nullptr, q.Handle(), reinterpret_cast<POINT*>(&ok), 2);
    EXPECT_EQ(ok.left, 108);
    EXPECT_EQ(ok.top, 104);
    EXPECT_EQ(WindowText(q.BitBtn2().Handle()), L"Mégsem");
    EXPECT_EQ(WindowText(q.Handle()), L"Kérdés");
}

TEST_F(SmallWindowsTest, AboutShowsTheDecodedPictureAndClosesOnlyOnEscape) {
    Tfrm_About about;
    about.Create();
    EXPECT_STREQ(RowOf(Tfrm_About::Controls(), L"sbAboutBezar").text, L"Bezárás");
    EXPECT_FALSE(about.Panel6.Picture().pixels) << "decoded only for the first showing";
    about.EnsureInsides();
    ExpectControlsWhereTheTableSays(about, Tfrm_About::Controls());
    const DecodedImage& picture = about.Panel6.Picture();
    ASSERT_TRUE(picture.pixels);
    EXPECT_EQ(picture.width, 333);
    EXPECT_EQ(picture.height, 250);

    RECT r = about.Panel6.ClientRect();
    HDC screen = GetDC(nullptr);
    MemoryCanvas canvas(screen, r.right, r.bottom);
    ReleaseDC(nullptr, screen);
    Canvas c(canvas.Dc());
    about.Panel6.Paint(c);
    // Inside the frame the picture, not the panel colour: many different colours.
    std::set<COLORREF> colours;
    for (int y = 2; y < r.bottom - 2; y += 7)
        for (int x = 2; x < r.right - 2; x += 7) colours.insert(canvas.Pixel(x, y));
    EXPECT_GT(colours.size(), 20u);
    EXPECT_EQ(canvas.Pixel(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));  // raised outer bevel

    AnswerNextModal([](Form& f) {
        PressKey(f.Handle(), 'A');
        PressKey(f.Handle(), VK_ESCAPE);
    });
    EXPECT_EQ(about.ShowModal(), mrCancel);
    EXPECT_FALSE(about.Visible());
    EXPECT_EQ(WindowText(about.Handle()), L"Névjegy");
}

TEST_F(SmallWindowsTest, DecodingRejectsDataThatIsNoJpeg) {
    const unsigned char junk[] = {0xFF, 0xD8, 0x00, 0x01, 0x02};
    EXPECT_FALSE(DecodeJpeg(junk, sizeof(junk)).pixels);
    EXPECT_FALSE(DecodeJpeg(nullptr, 0).pixels);
}

TEST_F(SmallWindowsTest, MessageWindowLayoutAndItsPaintedSymbol) {
    Tfrm_uzenet m;
    m.SetText(L"Az adatbázis mentése megtörtént.");
    const RECT client = m.ClientRect();
    EXPECT_EQ(client.right, 309);
    EXPECT_EQ(client.bottom, 141);
    EXPECT_EQ(WindowText(m.Handle()), L"Üzenet");
    EXPECT_FALSE(GetWindowLongW(m.Handle(), GWL_STYLE) & WS_THICKFRAME) << "a fixed dialog border";
    auto placed = [&](HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, m.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT memo = placed(m.Memo1().Handle()), ok = placed(m.BitBtn1().Handle());
    EXPECT_EQ(memo.left, 60);
    EXPECT_EQ(memo.top, 12);
    EXPECT_EQ(memo.right - memo.left, 241);
    EXPECT_EQ(memo.bottom - memo.top, 69);
    const LONG memoStyle = GetWindowLongW(m.Memo1().Handle(), GWL_STYLE);
    EXPECT_TRUE(memoStyle & ES_MULTILINE);
    EXPECT_TRUE(memoStyle & ES_READONLY);
    EXPECT_TRUE(memoStyle & ES_CENTER);
    EXPECT_FALSE(memoStyle & WS_TABSTOP);
    EXPECT_FALSE(memoStyle & WS_BORDER);
    EXPECT_EQ(WindowText(m.Memo1().Handle()), L"Az adatbázis mentése megtörtént.");
    EXPECT_EQ(ok.left, 220);
    EXPECT_EQ(ok.top, 104);
    EXPECT_EQ(ok.right - ok.left, 75);
    EXPECT_EQ(ok.bottom - ok.top, 25);
    EXPECT_EQ(WindowText(m.BitBtn1().Handle()), L"OK");
    EXPECT_EQ(GetWindowLongW(m.BitBtn1().Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

    // The form's own face: the red "!" over its grey shadow at the left, the rule above the button.
    WindowDC screen(nullptr);
    MemoryCanvas face(screen.Get(), 309, 141);
    SendMessageW(m.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(face.Dc()), PRF_CLIENT);
    int red = 0, grey = 0;
    for (int y = 4; y < 84; ++y)
        for (int x = 4; x < 60; ++x) {
            red += face.Pixel(x, y) == 0x0000FFu;
            grey += face.Pixel(x, y) == 0x808080u;
        }
    EXPECT_GT(red, 40);
    EXPECT_GT(grey, 10) << "the shadow shows below and right of the symbol";
    const COLORREF back = face.Pixel(150, 95);
    int rule = 0;
    for (int y = 84; y < 89; ++y) rule += face.Pixel(150, y) != back;
    EXPECT_GE(rule, 1);
    EXPECT_EQ(face.Pixel(2, 86), back) << "the rule starts at x 4";
}
