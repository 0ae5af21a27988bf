// The page's own script and the tests' scripts, against ESLint's recommended rules; run from the
// source tree's root: eslint -c tests/web/eslint.config.js
import js from '@eslint/js';
import globals from 'globals';

export default [
    {ignores: ['**/node_modules/', 'build/']},
    js.configs.recommended,
    {files: ['tests/**/*.js'], languageOptions: {sourceType: 'module', globals: {...globals.node, ...globals.browser}}},
    { // an emscripten library: a script whose names the linker gives it
        files: ['ui/web/page.js'],
        languageOptions: {sourceType: 'script', globals: {...globals.browser, mergeInto: 'readonly',
            LibraryManager: 'readonly', VelmoraPage: 'writable', Asyncify: 'readonly',
            HEAP32: 'readonly', HEAPU16: 'readonly', _malloc: 'readonly', _free: 'readonly',
            ccall: 'readonly', Module: 'readonly', autoAddDeps: 'readonly'}},
        rules: {'no-unused-vars': ['error', {caughtErrors: 'none'}]},
    },
];
