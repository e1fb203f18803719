#pragma once
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "fake/FakePlatform.h"

namespace vantoly::test {

// A fresh fake with all day icons in place and frmMain built on it.
struct Fixture : testing::Test {
    fake::FakePlatform fp;
    frmMain form{fp.platform()};

    Fixture() { fp.addDayIcons(); }

    std::vector<uint32_t> messages() const {
        std::vector<uint32_t> out;
        for (const auto& call : fp.shellCalls)
            out.push_back(call.message);
        return out;
    }
    std::vector<std::u16string> loads() const {
        std::vector<std::u16string> out;
        for (const auto& op : fp.pictureOps)
            if (op.kind == fake::PictureOp::Load)
                out.push_back(op.path);
        return out;
    }
    std::vector<std::u16string> saves() const {
        std::vector<std::u16string> out;
        for (const auto& op : fp.pictureOps)
            if (op.kind == fake::PictureOp::Save)
                out.push_back(op.path);
        return out;
    }
    void clearLogs() {
        fp.shellCalls.clear();
        fp.pictureOps.clear();
        fp.writes.clear();
        fp.reads.clear();
    }
};

// A program that has started: icon in the tray, window hidden, logs cleared, and the window
// system's resize events reaching the form.
struct Started : Fixture {
    Started() { fp.events = &form; }
    void start() {
        form.Form_Load();
        clearLogs();
        fp.zorderCalls.clear();
    }
};

} // namespace vantoly::test
