#pragma once
// The program's message box: Turkish captions and buttons, a chosen default
// button, and the classic result codes. Tests answer it through a hook.

#include <QString>

#include <functional>

enum TMsgDlgType { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

enum TMsgDlgBtn {
  mbYes = 0,
  mbNo = 1,
  mbOK = 2,
  mbCancel = 3,
  mbAbort = 4,
  mbRetry = 5,
  mbIgnore = 6,
  mbAll = 7,
  mbNoToAll = 8,
  mbYesToAll = 9,
  mbHelp = 10,
  mbClose = 11
};

// A set of buttons: bit n stands for the button with code n.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons msgButtons(std::initializer_list<TMsgDlgBtn> buttons)
{
  TMsgDlgButtons set = 0;
  for (TMsgDlgBtn b : buttons)
    set |= 1u << b;
  return set;
}

// Results of the box, by the button that closed it.
enum TModalResult {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrNoToAll = 9,
  mrYesToAll = 10
};

int MesajGoster(const QString &text, TMsgDlgType kind, TMsgDlgButtons buttons, quint8 reserved,
                TMsgDlgBtn defaultButton);

// The platform's plain boxes: the application's title as caption, one OK
// button. A warning plays the hand sound; a notice none.
void PlatformUyarisi(const QString &text);
void PlatformMesaji(const QString &text);
void PlatformHatasi(const QString &text);

// The message texts the whole program shares.
extern const QString kBaglantiKurulamiyor; // "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"

// Test seam: while a hook is set, MesajGoster asks it instead of showing a box.
struct MessageRequest {
  QString text;
  TMsgDlgType kind;
  TMsgDlgButtons buttons;
  TMsgDlgBtn defaultButton;
  QString caption; // set only for boxes with the application's title
};
using MessageBoxHook = std::function<int(const MessageRequest &)>;
void SetMesajGosterHook(MessageBoxHook hook);
