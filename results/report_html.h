#pragma once
// The report as one self-contained HTML page: the documents' table in ranking order, the charts
// inline as SVG, each document's details. No script, no style sheet or font from elsewhere, and
// a content security policy that would refuse both; the model in, text out, no I/O.
#include <string>

#include "report_model.h"

namespace tallyforge {

std::string ReportHtml(const ReportModel& model);

}  // namespace tallyforge
