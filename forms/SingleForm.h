#pragma once

#include "forms/Form.h"

namespace forms {

// A window of which the program has one global instance: the first
// reference creates and loads it, its unload destroys it, and the next
// reference starts a new one.
template <class T> class SingleForm : public Form {
public:
    static T& Instance() {
        if (instance_ == nullptr) {
            T* form = new T();
            instance_ = form;
            form->DeleteOnUnload();
            // A form that unloads in its own load step is still there until
            // the message loop frees it.
            form->LoadForm();
            return *form;
        }
        return *instance_;
    }
    static bool Exists() { return instance_ != nullptr; }
    // Unloads the instance if there is one; never creates it.
    static void UnloadIfLoaded() {
        if (instance_ != nullptr) {
            instance_->Unload();
        }
    }

protected:
    using Form::Form;
    void Released() override {
        if (instance_ == this) {
            instance_ = nullptr;
        }
    }

private:
    static inline T* instance_ = nullptr;
};

} // namespace forms
