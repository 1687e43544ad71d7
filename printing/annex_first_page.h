#pragma once
// Annex B, the first page: the identification header with the verdict, the taximeter settings and
// the table of tariff parameters. The own family's page shows all sixteen slots with their groups'
// page letters and validity; the NOVITIUS page shows the first layout's eight slots.
#include "printing/annex_frame.h"

namespace printing {

void DrawFirstPage(TCanvas &canvas, int m, const AnnexJob &job, int pages, int page, bool ownFamily);

}  // namespace printing
