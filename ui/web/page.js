// The page's part: it hands every event of the controls to the module, where
// Form1's handlers, the same as the desktop windows', decide what it does,
// and shows the module's messages in the modal dialog. Nothing of what a
// click computes, checks or says is written here.
'use strict';

var Module = (() => {
    const form = document.getElementById('Form1');
    const dialog = document.getElementById('Message');
    const message = document.getElementById('MessageText');
    let busy = true; // until the module is ready

    // A click is handled whole, message and all, before the next: while it
    // is, the form says it is busy and takes no other click.
    async function clicked(event) {
        const control = event.currentTarget;
        if (control.tagName === 'A')
            event.preventDefault(); // the handler opens the address itself
        if (busy)
            return;
        busy = true;
        form.setAttribute('aria-busy', 'true');
        try {
            await Module.ccall('varvik_clicked', null, ['string'], [control.id], { async: true });
        } finally {
            busy = false;
            form.setAttribute('aria-busy', 'false');
        }
    }

    function gotFocus(event) {
        if (!busy)
            Module.ccall('varvik_got_focus', null, ['string'], [event.currentTarget.id]);
    }

    // A held key presses a button once: the keyboard's repeats are dropped,
    // on the form and in the message box alike.
    document.addEventListener('keydown', (event) => {
        if (event.repeat && (event.key === 'Enter' || event.key === ' ') && event.target.closest('button, a'))
            event.preventDefault();
    }, true);
    form.addEventListener('submit', (event) => event.preventDefault());
    // A click beside the message's button, or behind the box, leaves the
    // keyboard on OK, as the windows' box does.
    dialog.addEventListener('mousedown', (event) => {
        if (!event.target.closest('button'))
            event.preventDefault();
    });

    // After one visit the page works without the network. The files are
    // fetched for that once the page has loaded, so as not to hold it up.
    if ('serviceWorker' in navigator)
        window.addEventListener('load', () => navigator.serviceWorker.register('service_worker.js'));

    return {
        // Resolves when the user has closed the message, by OK, Enter, Space
        // or Escape.
        showMessage(text) {
            message.textContent = text;
            return new Promise((resolve) => {
                dialog.addEventListener('close', resolve, { once: true });
                dialog.showModal();
            });
        },
        onRuntimeInitialized() {
            for (const control of form.querySelectorAll('button, a'))
                control.addEventListener('click', clicked);
            for (const control of form.querySelectorAll('input'))
                control.addEventListener('focus', gotFocus);
            busy = false;
            form.setAttribute('aria-busy', 'false');
            // The window opens with the focus in its first field; a field the
            // user entered while the page loaded keeps it, and is selected.
            const focused = document.activeElement;
            if (focused && focused.tagName === 'INPUT' && form.contains(focused))
                gotFocus({ currentTarget: focused });
            else if (!form.contains(focused))
                form.querySelector('input').focus();
        },
    };
})();
