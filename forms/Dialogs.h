#pragma once

#include <string>

namespace forms {

class Form;

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { Exclamation, Question, Information };
enum class MsgAnswer { Ok, Yes, No };

struct MessageRequest {
    std::wstring text;
    std::wstring caption;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::Exclamation;
};

// Everything that blocks the user interface until the user answers goes
// through one host, so that tests can answer in the user's place.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    virtual MsgAnswer Message(const MessageRequest& request) = 0;
    virtual void Modal(Form& form, Form* owner) = 0;
};

// The form's own modal loop, which the system's host runs (Form.cpp).
void RunOwnModalLoop(Form& form, Form* owner);

class Dialogs {
public:
    static MsgAnswer Message(const MessageRequest& request) { return Host().Message(request); }
    static void Modal(Form& form, Form* owner) { Host().Modal(form, owner); }

    // The host's (forms::Host::dialogs), or the system's.
    static DialogHost& Host();
};

} // namespace forms
