// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/PageSkeleton.h"

namespace page {

std::string Head(bool captureCode) {
    // The page is UTF-8; said first, a browser never guesses another encoding.
    std::string html = "<html><head><meta charset=\"utf-8\"><title>VANTELO Auto-Collage</title>";
    if (captureCode) {
        html += "<script type='text/javascript' src='artfonts/canvas.js'></script>";
        html += "<script type='text/javascript'>\n";
        html += "function doCanvas()\n{\n";
        html += "html2canvas(document.body, {";
        html += "onrendered: function(canvas) {\n";
        html += "document.body.appendChild(canvas);\n}";
        html += "});\n}</script>\n";
    }
    html += "</head><body bgcolor='#C0C0C0'>";
    if (captureCode) html += "<center><a href='javascript:doCanvas()'>[Do FireFox Capture]</a></center>";
    html += "<script type='text/javascript' src='artfonts/wz_dragdrop.js'></script>";
    html += "<center><div id='pagecontainer' style='position:relative;top:25px;width:850px;height:";
    html += "1100px;border-width:1px;border-style:solid;border-color:#000000;background-color:";
    return html;
}

std::string Tail(const std::string& dragItemIds) {
    std::string html = "</div></center>";
    html += "\n<script type='text/javascript'><!-- \n";
    html += "SET_DHTML(CURSOR_HAND,RESIZABLE,";
    html += dragItemIds;
    html += "'pagecontainer'+NO_DRAG);\n//--></script>\n";
    html += "</body></html>";
    return html;
}

}  // namespace page
