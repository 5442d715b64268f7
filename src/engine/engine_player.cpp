#include "engine/engine_player.h"

#include <filesystem>

#include "engine/gtp_vertex.h"
#include "engine/match_referee.h"
#include "engine/program_log.h"
#include "go/play_move.h"
#include "platform/format_text.h"
#include "platform/process_channel.h"
#include "platform/ui_text.h"

namespace tessera {

namespace {

std::string tr(const char* source) { return uiText("EnginePlayer", source); }

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    if (text.size() > 300)
        text = text.substr(0, 300) + "...";
    return text;
}

}  // namespace

std::vector<std::string> engineCommand(const std::string& command) {
    std::vector<std::string> argv = splitCommandLine(command);
    if (argv.empty())
        return argv;
    const std::string found = findProgram(argv.front(), {"/usr/games"});
    if (!found.empty())
        argv.front() = found;
    if (argv.size() == 1) {
        argv.push_back("--mode");
        argv.push_back("gtp");
        argv.push_back("--quiet");
    }
    return argv;
}

EnginePlayer::EnginePlayer(ProgramLog* log) : log_(log) {
    worker_.setLogger([this](const std::string& line) {
        if (log_)
            log_->logLine(line);
    });
}

EnginePlayer::~EnginePlayer() { stop(); }

void EnginePlayer::configure(const EngineSettings& settings) { settings_ = settings; }

void EnginePlayer::push(Job job) {
    std::lock_guard lock(jobsMutex_);
    jobs_.push_back(std::move(job));
    jobsChanged_.notify_all();
}

void EnginePlayer::setColour(int colour) {
    MatchPlayer::setColour(colour);
    stop();
    {
        std::lock_guard lock(jobsMutex_);
        jobs_.clear();
        jobs_.push_back(Job{JobKind::Start, {}, {}});
    }
    failed_ = false;
    worker_.setName("engine player (" + sideName() + ")");
    if (!worker_.startThread([this](WorkerThread& self) { run(self); })) {
        // The previous match's worker has not left yet: this match cannot use the player.
        if (log_)
            log_->logf("engine player (%s): the previous engine has not stopped yet", sideName().c_str());
        if (MatchReferee* ref = referee())
            ref->playerFailed(colour, tr("上一局的围棋引擎还没有停止, 请稍后再开始新的对局"));
    }
}

void EnginePlayer::setPosition(const BoardGrid& position, int colourToMove) {
    (void)colourToMove;
    Job job{JobKind::Position, {}, {}};
    job.position.copyFrom(position);
    push(std::move(job));
}

void EnginePlayer::movePlayed(const Move& move) { push(Job{JobKind::Play, move, {}}); }

void EnginePlayer::requestMove() { push(Job{JobKind::Move, {}, {}}); }

bool EnginePlayer::requestScore() {
    if (!worker_.keepRunning() || failed_)
        return false;
    push(Job{JobKind::Score, {}, {}});
    return true;
}

void EnginePlayer::stop() {
    worker_.stop(kStopTimeoutMs, [this] {
        {
            std::lock_guard lock(jobsMutex_);
            jobsChanged_.notify_all();
        }
        engine_.interrupt();
    });
}

void EnginePlayer::run(WorkerThread& self) {
    while (true) {
        Job job;
        {
            std::unique_lock lock(jobsMutex_);
            jobsChanged_.wait(lock, [&] { return !jobs_.empty() || !self.keepRunning(); });
            if (!self.keepRunning())
                break;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        if (failed_) {
            // A count nobody will give: the referee counts by itself.
            if (job.kind == JobKind::Score && referee())
                referee()->reportScore({});
            continue;
        }
        if (!runJob(job))
            failed_ = true;
    }
    engine_.stop();
}

bool EnginePlayer::runJob(const Job& job) {
    switch (job.kind) {
        case JobKind::Start:
            return startEngine();
        case JobKind::Position:
            board_.copyFrom(job.position);
            return send("set_free_handicap " + gtpStoneList(job.position), settings_.commandTimeLimitMs);
        case JobKind::Play: {
            const std::string vertex = gtpVertex(job.move.point, board_.width(), board_.height());
            if (!send(std::string("play ") + (job.move.colour == kBlack ? "b " : "w ") + vertex,
                      settings_.commandTimeLimitMs))
                return false;
            if (job.move.point >= 0) {
                PointList captured;
                playMove(board_, job.move, captured);
            }
            return true;
        }
        case JobKind::Move:
            return chooseMove();
        case JobKind::Score: {
            std::string answer;
            const bool answered = send("final_score", settings_.commandTimeLimitMs * 3, &answer);
            const bool wellFormed =
                answer == "0" || (answer.size() > 2 && (answer[0] == 'B' || answer[0] == 'W') && answer[1] == '+' &&
                                  answer.find_first_not_of("0123456789.", 2) == std::string::npos);
            if (MatchReferee* ref = referee())
                ref->reportScore(answered && wellFormed ? answer : std::string());
            return answered;
        }
    }
    return false;
}

bool EnginePlayer::startEngine() {
    int size = 19;
    if (MatchReferee* ref = referee())
        size = ref->setup().boardSize;
    board_ = BoardGrid(size, size);
    const std::vector<std::string> argv = engineCommand(settings_.command);
    std::string error;
    if (!engine_.start(argv, error)) {
        if (argv.empty())
            error = "Unable to start: no engine program named";
        fail(formatText(tr("无法启动围棋引擎 %s").c_str(), oneLine(settings_.command).c_str()), error);
        return false;
    }
    if (log_)
        log_->logf("engine player (%s): started %s (pid %d)", sideName().c_str(), engine_.commandLine().c_str(),
                   static_cast<int>(engine_.pid()));
    double komi = 0;
    if (MatchReferee* ref = referee())
        komi = ref->setup().komiPoints();
    return send(formatText("level %d", settings_.level), settings_.commandTimeLimitMs) &&
           send(formatText("boardsize %d", size), settings_.commandTimeLimitMs) &&
           send("clear_board", settings_.commandTimeLimitMs) &&
           send(formatText("komi %g", komi), settings_.commandTimeLimitMs);
}

bool EnginePlayer::send(const std::string& command, int timeoutMs, std::string* answer) {
    const GtpReply reply = engine_.command(command, timeoutMs);
    if (answer)
        *answer = reply.text;
    const std::string name = engineName();
    switch (reply.status) {
        case GtpReply::Success:
            return true;
        case GtpReply::Interrupted:
            return false;  // stopped: nothing to report
        case GtpReply::Failure:
            fail(formatText(tr("围棋引擎 %s 拒绝了命令 \"%s\": %s").c_str(), name.c_str(), command.c_str(),
                            oneLine(reply.text).c_str()),
                 "command \"" + command + "\" failed: " + oneLine(reply.text));
            return false;
        case GtpReply::Malformed:
            fail(formatText(tr("围棋引擎 %s 的回答无法理解: %s").c_str(), name.c_str(), oneLine(reply.text).c_str()),
                 "answer to \"" + command + "\" is not GTP: " + oneLine(reply.text));
            return false;
        case GtpReply::Timeout:
            fail(formatText(tr("围棋引擎 %s 在 %d 秒内没有回答").c_str(), name.c_str(), (timeoutMs + 999) / 1000),
                 formatText("no answer to \"%s\" within %d ms", command.c_str(), timeoutMs));
            return false;
        case GtpReply::Ended:
            fail(formatText(tr("围棋引擎 %s 意外退出").c_str(), name.c_str()),
                 "the engine " + describeExit(engine_.exitStatus()) + " while answering \"" + command + "\"");
            return false;
    }
    return false;
}

bool EnginePlayer::chooseMove() {
    MatchReferee* ref = referee();
    const int colour = this->colour();
    if (settings_.useBook && book_ && board_.width() == 19 && board_.height() == 19) {
        const int32_t point = book_(board_, colour);
        if (point >= 0 && ref && ref->submitMove(Move{static_cast<uint32_t>(colour), point}))
            return true;
    }
    std::string answer;
    if (!send(std::string("reg_genmove ") + (colour == kBlack ? "b" : "w"), settings_.moveTimeLimitMs, &answer))
        return false;
    const GtpMove move = parseGtpMove(answer, board_.width(), board_.height());
    const std::string name = engineName();
    if (move.kind == GtpMoveKind::Invalid) {
        fail(formatText(tr("围棋引擎 %s 的回答无法理解: %s").c_str(), name.c_str(), oneLine(answer).c_str()),
             "answer to reg_genmove is no move of the board: " + oneLine(answer));
        return false;
    }
    if (!ref)
        return true;
    if (move.kind == GtpMoveKind::Resign) {
        ref->resign(colour);
        return true;
    }
    if (!ref->submitMove(Move{static_cast<uint32_t>(colour), move.point})) {
        if (ref->state() != kMatchPlaying)
            return true;  // the match ended meanwhile (the other side resigned)
        fail(formatText(tr("围棋引擎 %s 下了不合法的一手: %s").c_str(), name.c_str(), oneLine(answer).c_str()),
             "the referee refused the engine's move " + oneLine(answer));
        return false;
    }
    return true;
}

void EnginePlayer::fail(const std::string& userMessage, const std::string& details) {
    const std::string side = sideName();
    if (log_) {
        log_->logf("engine player (%s): %s; command line: %s", side.c_str(), details.c_str(),
                   engine_.commandLine().c_str());
        const std::string tail = engine_.errorTail();
        if (!tail.empty())
            log_->logf("engine player (%s): engine's error output: %s", side.c_str(), oneLine(tail).c_str());
    }
    engine_.stop();
    if (MatchReferee* ref = referee())
        ref->playerFailed(colour(), formatText("%s: %s", colour() == kBlack ? tr("黑方").c_str() : tr("白方").c_str(),
                                               userMessage.c_str()));
}

std::string EnginePlayer::sideName() const { return colour() == kBlack ? "black" : "white"; }

std::string EnginePlayer::engineName() const {
    const std::vector<std::string> words = splitCommandLine(settings_.command);
    return words.empty() ? std::string("?") : std::filesystem::path(words.front()).filename().string();
}

}  // namespace tessera
