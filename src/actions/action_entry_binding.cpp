#include "ui/form1.h"
#include "ui/form1_bindings.h"

namespace tavorin {

void BindActionEntry(Form1& form) { (void)form; }

}  // namespace tavorin
