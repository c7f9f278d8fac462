// One binding per control: user actions on the Win32 control become writes to
// its model, and every model write is mirrored onto the control. Writes from
// the model are guarded so that the notifications they cause (an edit sends
// EN_CHANGE from inside WM_SETTEXT) do not come back as user edits.
#pragma once

#include "windows_api.h"

#include <memory>

#include "forms.h"
#include "layout.h"

namespace korvex::window {

class ControlBinding : public forms::ControlView {
 public:
  ControlBinding(forms::Control& model, HWND control, const ControlLayout& layout)
      : model_(model), hwnd_(control), layout_(layout) {
    model.AttachView(this);
  }
  ~ControlBinding() override { model_.AttachView(nullptr); }

  HWND Hwnd() const { return hwnd_; }
  forms::Control& Model() const { return model_; }
  const ControlLayout& Layout() const { return layout_; }

  // A WM_COMMAND notification code, or a WM_VSCROLL request.
  virtual void OnCommand(int /*code*/, forms::FocusTracker& /*focus*/) {}
  virtual void OnScroll(int /*request*/, int /*position*/) {}

  void Update(forms::Property changed) override;

 protected:
  virtual void Mirror(forms::Property) {}
  template <typename Write>
  void Guarded(Write write) {
    bool was = updating_;
    updating_ = true;
    write();
    updating_ = was;
  }
  bool Updating() const { return updating_; }

 private:
  forms::Control& model_;
  HWND hwnd_;
  const ControlLayout& layout_;
  bool updating_ = false;
};

// Creates the Win32 control for a layout row at its place, with its font and
// its model's state, bound to the model's control.
std::unique_ptr<ControlBinding> CreateBoundControl(const ControlLayout& layout, Editor& model, HWND parent, int id,
                                                   const RECT& place, HFONT font);

// The control's current text.
std::wstring WindowText(HWND window);

}  // namespace korvex::window
