// How the host's calls reach a chart page. Every call comes through inOrder(),
// so that calls run in the order they were made. A call may name
// attachments: binary doubles of long series that the page fetches from the
// library's kzchartdata: scheme while it goes on answering the host and the
// mouse (parsing the same points as script text would hold the page for a
// tenth of a second per 100k points). The host asks for them with
// fetchAttachments() just before the call, which then waits, with every call
// after it, until they have come. The host may also ask a question, which
// runs in order as a call does and answers over the web channel
// (answerHost()).

// Attachments fetched and not yet used, by id; null for one that could not
// be fetched (only an attachment of a call that a later call has replaced
// goes missing, so the series is simply left empty).
var attachments = {};
// The host's calls made while attachments are on their way, or null.
var waitingCalls = null;
var fetchingAttachments = 0;

// Every call of the host comes through here: calls run in the order they were
// made, and none runs before the attachments fetched ahead of it have come.
function inOrder(call) {
    if (waitingCalls)
        waitingCalls.push(call);
    else
        runCall(call);
}

// One failing call must not hold back the ones after it, which the host may
// have sent in the same script; its error still reaches the console.
function runCall(call) {
    try {
        call();
    } catch (error) {
        setTimeout(function () { throw error; });
    }
}

// Answers, [id, value], that wait for the web channel to come up.
var unsentAnswers = [];

// Answers the host's question id with what question() returns, or with null
// when it throws; the error still reaches the console.
function answerHost(id, question) {
    var value = null;
    try {
        value = question();
    } catch (error) {
        setTimeout(function () { throw error; });
    }
    unsentAnswers.push([id, value]);
    sendAnswers();
}

function sendAnswers() {
    while (window.chartPage && unsentAnswers.length > 0) {
        var answer = unsentAnswers.shift();
        chartPage.answer(answer[0], answer[1]);
    }
}

function fetchAttachments(ids) {
    ids.forEach(function (id) {
        waitingCalls = waitingCalls || [];
        ++fetchingAttachments;
        var request = new XMLHttpRequest();
        request.open('GET', 'kzchartdata:' + id);
        request.responseType = 'arraybuffer';
        request.onloadend = function () {
            attachments[id] = request.status === 200 ? request.response : null;
            if (--fetchingAttachments > 0)
                return;
            var calls = waitingCalls;
            waitingCalls = null;
            calls.forEach(runCall);
        };
        request.send();
    });
}

function isAttachment(data) {
    return data !== null && typeof data === 'object' && typeof data.attachment === 'string';
}

// The attachment's doubles as {xs, ys, pairs}; it is used up. With pairs the
// x values come first, then the y values; otherwise y values only.
function takeAttachment(data) {
    var buffer = attachments[data.attachment] || new ArrayBuffer(0);
    delete attachments[data.attachment];
    var count = buffer.byteLength / 8 / (data.pairs ? 2 : 1);
    var ys = new Float64Array(buffer, data.pairs ? count * 8 : 0, count);
    var xs = data.pairs ? new Float64Array(buffer, 0, count) : null;
    return {xs: xs, ys: ys, pairs: data.pairs};
}

