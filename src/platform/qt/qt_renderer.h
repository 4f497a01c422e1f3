#pragma once
// Shows any form of the component model as real widgets and feeds the
// user's clicks, selections, resizes and closes back into the model. It
// knows nothing about the agent.
#include <map>
#include <memory>

class TForm;
class FormWindow;

class QtRenderer {
 public:
  QtRenderer();
  ~QtRenderer();
  void FormVisibilityChanged(TForm& form);

 private:
  std::map<TForm*, std::unique_ptr<FormWindow>> windows_;
};
