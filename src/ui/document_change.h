#pragma once

#include <functional>
#include <utility>

#include <QUndoCommand>

#include "files/project_file.h"

namespace glyphsheet {

/// Whether two states of the window's document are the same: sheet size,
/// borders, font settings and the glyph list with each glyph's borders.
bool SameDocumentState(const ProjectData& a, const ProjectData& b);

/// One change of the window's document on its undo stack: the states before
/// and after it. The change is made before it is pushed, so the first redo
/// does nothing. Changes of one kind (`kind`, e.g. one control) that follow
/// each other become one, so a spin box's steps undo together.
class DocumentChange : public QUndoCommand {
 public:
  using Apply = std::function<void(const ProjectData&)>;

  DocumentChange(const QString& text, int kind, ProjectData before, ProjectData after, Apply apply)
      : QUndoCommand(text),
        kind_(kind),
        before_(std::move(before)),
        after_(std::move(after)),
        apply_(std::move(apply)) {}

  void undo() override { apply_(before_); }
  void redo() override {
    if (!made_) apply_(after_);
    made_ = false;
  }
  int id() const override { return kind_; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  int kind_;
  ProjectData before_;
  ProjectData after_;
  Apply apply_;
  bool made_ = true;
};

}  // namespace glyphsheet
