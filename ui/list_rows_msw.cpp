// A Windows list box's rows are a line of its font tall, with no padding and no gap between them,
// so a list of the template's size already shows as many rows as it should.
#include "list_rows.h"

namespace tallyforge::ui {

void CompactListRows(wxListBox&) {}

}  // namespace tallyforge::ui
