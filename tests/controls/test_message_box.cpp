// Message boxes: the kinds, captions, icons and button rules, through the recording
// factory and through the real box answered by a click.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include "ControlsTest.h"
#include "controls/TraduzioneToolkit.h"
#include "controls/ZfMessageBox.h"

namespace qx {
namespace {

class MessageBoxTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureWidgetApplication(); }
};

TEST_F(MessageBoxTest, KindsGiveCaptionAndIcon) {
  TMessageBoxRecorder rec;
  const struct {
    int Kind;
    const char* Caption;
    unsigned Icon;
  } kinds[] = {{0, "Errore", MB_ICONHAND},
               {1, "Conferma", MB_ICONQUESTION},
               {2, "Attenzione", MB_ICONEXCLAMATION},
               {3, "Informazione", MB_ICONASTERISK}};
  for (const auto& k : kinds) {
    EXPECT_EQ(ZfMessageBox("testo", std::uint8_t(k.Kind), MsgButtons({mbOK})), IDOK);
    ASSERT_FALSE(rec.Requests.empty());
    EXPECT_EQ(rec.Requests.back().Caption, k.Caption);
    EXPECT_EQ(rec.Requests.back().Flags, k.Icon | MB_OK);
    EXPECT_EQ(rec.Requests.back().Text, "testo");
  }
  // Any other kind shows nothing.
  EXPECT_EQ(ZfMessageBox("x", 7, MsgButtons({mbOK})), 0);
  EXPECT_EQ(ZfMessageBox("x", 255, MsgButtons({mbYes, mbNo})), 0);
  EXPECT_EQ(rec.Requests.size(), 4u);
}

TEST_F(MessageBoxTest, ButtonRulesInTheirOrder) {
  TMessageBoxRecorder rec;
  const auto style = [&](TMsgDlgButtons b) {
    ZfMessageBox("x", 1, b);
    return rec.Requests.back().Flags & ~MB_ICONMASK;
  };
  EXPECT_EQ(style(MsgButtons({mbYes, mbNo, mbCancel})), MB_YESNOCANCEL);
  EXPECT_EQ(style(MsgButtons({mbYes, mbCancel})), MB_YESNO);
  EXPECT_EQ(style(MsgButtons({mbYes, mbNo})), MB_YESNO);
  EXPECT_EQ(style(MsgButtons({mbOK, mbCancel})), MB_OKCANCEL);
  EXPECT_EQ(style(MsgButtons({mbOK})), MB_OK);
  EXPECT_EQ(style(MsgButtons({mbOK, mbCancel, mbYes, mbNo})), MB_OKCANCEL);  // OK comes after Yes
  EXPECT_EQ(style(MsgButtons({mbAbort, mbRetry, mbIgnore})), MB_ABORTRETRYIGNORE);
  EXPECT_EQ(style(MsgButtons({mbAbort, mbRetry, mbIgnore, mbOK})), MB_ABORTRETRYIGNORE);
  EXPECT_EQ(style(MsgButtons({mbAbort, mbRetry})), MB_OK);
  EXPECT_EQ(style(MsgButtons({mbYes})), MB_OK);
  EXPECT_EQ(style(0), MB_OK);
  EXPECT_EQ(style(MsgButtons({mbOK, mbHelp})), MB_OK | MB_HELP);
  EXPECT_EQ(style(MsgButtons({mbYes, mbNo, mbHelp})), MB_YESNO | MB_HELP);
}

TEST_F(MessageBoxTest, AnswersComeBackAsTheyAre) {
  TMessageBoxRecorder rec;
  // Yes and Cancel: the box shows Yes and No, and No means Cancel.
  rec.Answers = {IDNO, IDYES, IDNO, IDNO, 42, -1, IDRETRY};
  EXPECT_EQ(ZfMessageBox("x", 1, MsgButtons({mbYes, mbCancel})), IDCANCEL);
  EXPECT_EQ(ZfMessageBox("x", 1, MsgButtons({mbYes, mbCancel})), IDYES);
  EXPECT_EQ(ZfMessageBox("x", 1, MsgButtons({mbYes, mbNo})), IDNO);
  EXPECT_EQ(ZfMessageBox("x", 1, MsgButtons({mbYes, mbNo, mbCancel})), IDNO);
  EXPECT_EQ(ZfMessageBox("x", 1, MsgButtons({mbOK})), 0);
  EXPECT_EQ(ZfMessageBox("x", 1, MsgButtons({mbOK})), 0);
  EXPECT_EQ(ZfMessageBox("x", 2, MsgButtons({mbAbort, mbRetry, mbIgnore})), IDRETRY);
  EXPECT_EQ(ApplicationMessageBox("Vuoi salvare prima il lavoro ?", "Conferma", MB_YESNOCANCEL | MB_ICONQUESTION),
            IDOK);
  EXPECT_EQ(rec.Requests.back().Caption, "Conferma");
}

TEST_F(MessageBoxTest, RecordersNestAndRestore) {
  TMessageBoxRecorder outer;
  {
    TMessageBoxRecorder inner;
    inner.DefaultAnswer = IDYES;
    EXPECT_EQ(ZfMessageBox("x", 1, MsgButtons({mbYes, mbNo})), IDYES);
    EXPECT_EQ(inner.Requests.size(), 1u);
  }
  EXPECT_EQ(ZfMessageBox("y", 3, MsgButtons({mbOK})), IDOK);
  EXPECT_EQ(outer.Requests.size(), 1u);
  EXPECT_EQ(outer.Requests[0].Text, "y");
}

// The real box: a timer of the event loop finds it, reads it and presses a button.
TEST_F(MessageBoxTest, TheApplicationBoxShowsTheButtonsAndIcon) {
  QStringList seen;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  const auto press = [&](const QString& which) {
    QTimer::singleShot(0, [&, which] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen.clear();
      for (QAbstractButton* b : box->buttons()) seen << b->text().remove('&');
      icon = box->icon();
      title = box->windowTitle();
      for (QAbstractButton* b : box->buttons())
        if (b->text().remove('&') == which) b->click();
    });
  };
  press("No");
  EXPECT_EQ(ZfMessageBox("Salvare?", 1, MsgButtons({mbYes, mbCancel})), IDCANCEL);
  seen.sort();
  EXPECT_EQ(seen, QStringList({"No", QString::fromUtf8("S\u00EC")}));
  EXPECT_EQ(icon, QMessageBox::Question);
  EXPECT_EQ(title, "Conferma");

  press("OK");
  EXPECT_EQ(ZfMessageBox("Errore grave", 0, MsgButtons({mbOK})), IDOK);
  EXPECT_EQ(seen, QStringList({"OK"}));
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(title, "Errore");

  press("Ignore");
  EXPECT_EQ(ZfMessageBox("?", 2, MsgButtons({mbAbort, mbRetry, mbIgnore})), IDIGNORE);
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(seen.size(), 3);

  // The system's own texts for the common buttons; the toolkit's Italian for the others.
  press("Annulla");
  EXPECT_EQ(ZfMessageBox("Salvare?", 1, MsgButtons({mbYes, mbNo, mbCancel})), IDCANCEL);
  seen.sort();
  EXPECT_EQ(seen, QStringList({"Annulla", "No", QString::fromUtf8("S\u00EC")}));
  ASSERT_TRUE(CaricaTraduzioneToolkit()) << "qtbase_it.qm (qt6-translations-l10n) is installed";
  press("Ignora");
  EXPECT_EQ(ZfMessageBox("?", 2, MsgButtons({mbAbort, mbRetry, mbIgnore})), IDIGNORE);
  EXPECT_TRUE(seen.contains("Riprova")) << seen.join(",").toStdString();
}

}  // namespace
}  // namespace qx
