// A view that writes down what reached it and paints its rectangle in one
// colour, for tests of dispatch and drawing order.
#pragma once

#include <string>
#include <vector>

#include "gui/DrawContext.h"
#include "gui/View.h"
#include "gui/KeyCode.h"

namespace guitest {

struct Journal {
    std::vector<std::string> events;
    void add(const std::string& e) { events.push_back(e); }
    size_t count(const std::string& e) const {
        size_t n = 0;
        for (const auto& x : events) n += x == e;
        return n;
    }
};

class RecordingView final : public View {
public:
    RecordingView(const Rect& r, std::string called, Journal& calls, Color fill = colorRed)
        : View(r), name(std::move(called)), journal(calls), color(fill) {}

    void draw(DrawContext* context) override {
        journal.add(name + ".draw");
        if (context) {
            context->setFillColor(color);
            Rect b = bounds;
            context->fillRect({b.left - 1, b.top - 1, b.right, b.bottom});
        }
        View::draw(context);
    }
    void onMouseDown(DrawContext*, Point& where) override {
        journal.add(name + ".press " + std::to_string(where.x) + "," + std::to_string(where.y));
    }
    int32_t onKeyDown(KeyCode& key) override {
        journal.add(name + ".key");
        return key.character == answerKey ? 1 : -1;
    }
    int32_t onKeyUp(KeyCode&) override {
        journal.add(name + ".keyup");
        return -1;
    }
    bool onDrop(void**, int32_t, int32_t, Point&) override {
        journal.add(name + ".drop");
        return true;
    }
    bool onWheel(DrawContext*, const Point& where, float distance) override {
        journal.add(name + ".wheel " + std::to_string(where.x) + "," + std::to_string(where.y) +
                    " " + std::to_string(static_cast<int>(distance)));
        return true;
    }
    void focusLost(DrawContext*) override { journal.add(name + ".focusLost"); }
    bool onAttached(Frame*) override {
        journal.add(name + ".attached");
        return true;
    }
    bool onRemoved(Frame*) override {
        journal.add(name + ".removed");
        return true;
    }

    int32_t answerKey = -100;

private:
    ~RecordingView() override { journal.add(name + ".destroyed"); }

    std::string name;
    Journal& journal;
    Color color;
};

}  // namespace guitest
