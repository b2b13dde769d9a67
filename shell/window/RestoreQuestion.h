#pragma once

#include "QueueKeeper.h"

#include <QMessageBox>

class JobQueue;
class QWidget;

// Offers the files a former run left to fix: lists them as waiting in `queue`, removes the
// hidden output of the one that run was cut short in, and asks once whether to fix them now.
// Until the answer no file starts. Window-modal over `window`, opened once the window is on the
// screen; returns at once with the question.
QMessageBox* offerRestored(QWidget* window, JobQueue& queue, const std::vector<JobQueue::Pending>& files);
