#pragma once
/// The pages of the two working windows and what the rest of the program sees of a working
/// window. A window keeps one page per tab and calls the page of the current tab instead of
/// switching on the tab number; a page reads and writes its own controls only and takes what
/// several pages share (the selection) from its window.

#include <QString>

#include <optional>
#include <string>

namespace tolvik::chart {
class Graph;
}

namespace tolvik::ui {

/// A column of a table of the data file: what Copy puts on the clipboard.
struct CopyColumn {
    std::string table;
    std::string column;
};

/// A point picked on a page's graph, as the graph reader shows it.
struct PickedPoint {
    int set = 0;
    int point = 0;
    double x = 0;
    double y = 0;
    QString xText; ///< x as plain text with a point
    QString yText; ///< y in the reader's pattern of the window
};

/// The second and third line of the graph reader.
struct ReaderLines {
    QString first;
    QString second;
};

/// One tab of a working window.
class TabPage {
public:
    virtual ~TabPage() = default;
    /// Sets the page up on entering its tab (before the recalculation).
    virtual void enter() {}
    /// Clears the page's result fields.
    virtual void clearResults() {}
    /// Recalculates from the inputs on screen.
    virtual void recalculate() {}
    /// The Calculate button.
    virtual void calculate() {}
    /// The graph of the page (nullptr: it has none).
    virtual chart::Graph* graph() const { return nullptr; }
    /// A point of the page's graph was picked: the page takes its values and says what the
    /// graph reader shows (nothing: the reader shows the curve only).
    virtual std::optional<ReaderLines> pointPicked(const PickedPoint& /*point*/) { return std::nullopt; }
    /// What Copy takes on this page for the material named (nothing: Copy is not offered).
    virtual std::optional<CopyColumn> copyColumn(const std::string& /*material*/) const {
        return std::nullopt;
    }
};

/// What Copy finds in a working window.
struct CopyRequest {
    enum class Kind {
        NotOffered, ///< the window copies nothing
        NoMaterial, ///< no material is chosen
        NoCurve,    ///< the current tab has no curve of the data file
        Column,     ///< `column` is copied
    };
    Kind kind = Kind::NotOffered;
    CopyColumn column;
};

/// What the shell's graph commands (print, clear, copy, graph settings) see of a working window.
class GraphWindow {
public:
    virtual ~GraphWindow() = default;
    /// The graph of the current tab (nullptr: it has none).
    virtual chart::Graph* currentGraph() const = 0;
    /// The curve the graph reader read last (its first line).
    virtual QString readerCurve() const = 0;
    /// What Copy takes from the window now.
    virtual CopyRequest copyRequest() const { return {}; }
};

} // namespace tolvik::ui
