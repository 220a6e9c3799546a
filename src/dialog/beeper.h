// The system beep, behind one seam so tests can count beeps.
#pragma once

namespace dialog {

class Beeper {
  public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

}  // namespace dialog
