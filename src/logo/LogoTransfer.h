#pragma once
// The logo transfer operations of the tab "Логотип": write the logo to the chosen scale, read the
// scale's logo into the editor. Plain sequential functions like the other subjects' operations
// (messages/MessageTransfer.h): the frame, the addressing, one exchange, the outcome through
// Feedback and in the result.

#include "common/SaveFirst.h"
#include "logo/LogoPicture.h"
#include "operation/ScaleOperation.h"

namespace qm
{

// Where a read puts the logo: the window's editor, or the picture the command line saves.
class LogoSink
{
  public:
    virtual ~LogoSink() = default;
    // The logo read; it sets the logo modified flag.
    virtual void setLogo(const LogoPicture& picture) = 0;
    // The flag as the save-first question sees it.
    virtual bool isModified() const { return false; }
};

// A sink over a picture and flag the caller owns.
class LogoWriter : public LogoSink
{
  public:
    LogoWriter(LogoPicture& picture, bool& modified) : m_picture(picture), m_modified(modified) {}
    void setLogo(const LogoPicture& picture) override
    {
        m_picture = picture;
        m_modified = true;
    }
    bool isModified() const override { return m_modified; }

  private:
    LogoPicture& m_picture;
    bool& m_modified;
};

// `Button1Click` (`SpeedButton5Click`): the picture as it is when the write starts.
OperationResult sendLogo(const ScaleLink& link, const LogoPicture& picture);

// `Button2Click` (`SpeedButton6Click`). A modified drawing is offered for saving first: Cancel,
// or a Yes whose save did not happen, ends the read Cancelled before the scale is addressed.
// The drawing changes only when the whole logo arrived.
OperationResult readLogo(const ScaleLink& link, LogoSink& sink, const SaveCommand& save);

} // namespace qm
