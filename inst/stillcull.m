%STILLCULL  Flag points whose window departs from its own normal fit.
%   F = STILLCULL(P, N, PLANE0, PLANE1, PLANE2, M, K, THRESHOLD) judges each
%   of N points by the 41-by-41 window of PLANE2 centred on it. The window's
%   256-bin histogram, normalized to sum to 1, is compared with the normal
%   density that has the window's own mean and sample deviation; F(i) is 1
%   when that distance is greater than THRESHOLD and 2 otherwise.
%
%   Inputs
%     P          points, an N-by-2 real double array [x y] of zero-based
%                column x and row y; both are truncated toward zero (20.9
%                counts as 20). Only the first 2*N values are read, so an
%                array with more rows than N is read as if it had N rows (the
%                y column starts at element N+1 of P's storage).
%     N          number of points, a real number truncated toward zero. N
%                below 1, or NaN, gives an empty 0-by-1 result and reads
%                nothing else.
%     PLANE0,
%     PLANE1     accepted for the common call form and never read: any
%                value, empty or not double, will do.
%     PLANE2     the M-by-K image plane, grey levels: every pixel of a judged
%                window must lie above -1 and below 256.
%     M, K       rows and columns of PLANE2, real numbers truncated toward
%                zero. They bound the points and give the column stride.
%     THRESHOLD  the distance threshold, a real number.
%
%   Output
%     F   N-by-1 double, each element exactly 1 or 2.
%
%   Details
%     Point (x, y) is judged only when its window, rows y-20..y+20 and
%     columns x-20..x+20, lies wholly inside the plane; every other point
%     gets 2, including any point when M or K is below 41 and any point with
%     a NaN, infinite or huge coordinate. Bin b of the histogram counts the
%     pixels whose value truncates to b, times 1/1681; the mean and the
%     sample deviation (divisor 1680) use the values themselves. The density
%     at bin k is exp(-(k-mean)^2/(2*dev^2)) / (sqrt(6.28318)*dev), and the
%     distance is the Euclidean norm of density minus histogram over the 256
%     bins. A window of one value throughout has deviation 0 and a NaN
%     distance, so it gets 2 whatever THRESHOLD is; a NaN THRESHOLD gives 2
%     for every point; a distance equal to THRESHOLD gives 2.
%
%   Errors (identifier: cause)
%     "func: stillcull() requires 8 input arguments."  wrong input count
%     "func: stillcull() requires 1 output argument."  output count not 1
%                                                      (call it with an output)
%     planestat:stillcull:notRealDouble  P or PLANE2 is not a real, full
%                                        double array
%     planestat:stillcull:notRealScalar  N, M, K or THRESHOLD is not one real
%                                        number
%     planestat:stillcull:tooFewValues   P holds fewer than 2*N values, or,
%                                        when M and K are at least 41, PLANE2
%                                        holds fewer than M*K values
%     planestat:stillcull:badPixel       a pixel of a judged window has no bin
%                                        (NaN, Inf, <= -1 or >= 256); the
%                                        message names its row and column
%
%   Example
%     A = mod (reshape ((0:1680) .^ 2, 41, 41), 256);
%     F = stillcull ([20 20; 20 21], 2, [], [], A, 41, 41, 0.01)   % [1; 2]
%
%   See also MOODCULL.

% Help text only: the function itself is the compiled MEX file of the same name.

%!shared A
%! A = mod (reshape ((0:1680) .^ 2 * 7 + (0:1680) * 3, 41, 41), 256) + 0.5;

%!test  # only the centre of the smallest plane is judged; coordinates truncate
%! P = [20 20; 20.9 20.9; 20 21; 21 20; 19 20; 20 19; -0.5 20];
%! assert (stillcull (P, 7, [], [], A, 41, 41, 0), [1; 1; 2; 2; 2; 2; 2]);
%! assert (stillcull (P, 7, [], [], A, 40, 41, 0), 2 * ones (7, 1));

%!test  # the distance, recomputed here in window order, decides; a tie gives 2
%! h = zeros (1, 256);
%! s = 0;
%! for r = 1:41
%!   for c = 1:41
%!     h(fix (A(r,c)) + 1) += 1;
%!     s = s + A(r,c);
%!   end
%! end
%! h = h * 0.000594883997620464;
%! mu = s * 0.000594883997620464;
%! q = 0;
%! for r = 1:41
%!   for c = 1:41
%!     q = q + (A(r,c) - mu) * (A(r,c) - mu);
%!   end
%! end
%! dev = sqrt (q * 0.0005952380952380953);
%! two_var = dev * dev + dev * dev;
%! coef = 1 / (sqrt (6.28318) * dev);
%! e = 0;
%! for k = 0:255
%!   p = exp (-(((k - mu) * (k - mu)) / two_var)) * coef;
%!   e = e + (p - h(k+1)) * (p - h(k+1));
%! end
%! d = sqrt (e);
%! assert (stillcull ([20 20], 1, [], [], A, 41, 41, d), 2);
%! assert (stillcull ([20 20], 1, [], [], A, 41, 41, d - eps (d)), 1);
%! assert (stillcull ([20 20], 1, [], [], A, 41, 41, NaN), 2);

%!test  # a constant window gives 2 whatever the threshold
%! C = [37 * ones(41), A];
%! for t = [0, -1, -Inf, 1, NaN]
%!   assert (stillcull ([20 20], 1, [], [], C, 41, 82, t), 2);
%! end
%! assert (stillcull ([20 20; 61 20; 62 20], 3, [], [], C, 41, 82, -1), [2; 1; 2]);

%!test  # N truncates; y starts at element N+1; N below 1 gives 0-by-1
%! P = [20 20 20; 20 0 0]';   # 3 rows: with N = 2.7, y = P(3), P(4)
%! assert (stillcull (P, 2.7, [], [], A, 41, 41, 0), [1; 1]);
%! P = [20 20 20 20; 0 0 0 0]';   # 4 rows, N = 2: y = P(3), P(4)
%! assert (stillcull (P, 2, [], [], A, 41, 41, 0), [1; 1]);
%! assert (size (stillcull ([], 0, [], [], [], 0, 0, 0)), [0 1]);
%! assert (size (stillcull ([], -3, 1, 2, [], 41, 41, 0)), [0 1]);
%! assert (size (stillcull ([], NaN, 1, 2, [], 41, 41, 0)), [0 1]);

%!test  # planes 0 and 1 are never read
%! P = [20 20; 20 21];
%! F = stillcull (P, 2, [], [], A, 41, 41, 0);
%! assert (stillcull (P, 2, "text", {1, 2}, A, 41, 41, 0), F);
%! assert (stillcull (P, 2, int8 (A), single (A), A, 41, 41, 0), F);

%!test  # coordinates beyond any plane fail the window test
%! P = [NaN 20; 20 Inf; -Inf 20; 1e10 20; 20 -1e10; 2147483647 20];
%! assert (stillcull (P, 6, [], [], A, 41, 41, -Inf), 2 * ones (6, 1));

%!test  # unread pixels and planes are not checked
%! assert (stillcull ([20 20], 1, [], [], [], 40, 40, 0), 2);
%! B = A;
%! B(41,:) = NaN;
%! assert (stillcull ([20 19], 1, [], [], B, 41, 41, 0), 2);

%!test  # the pixel error names plane, one-based row and column, and value
%! B = A;
%! B(4,6) = 256;
%! err = [];
%! try
%!   x = stillcull ([20 20], 1, [], [], B, 41, 41, 0);
%! catch err
%! end
%! assert (err.identifier, "planestat:stillcull:badPixel");
%! assert (err.message, ["stillcull: plane 2 (input 5) holds 256 at row 4, ", ...
%!                       "column 6; pixel values must lie above -1 and below 256"]);

%!error <func: stillcull\(\) requires 8 input arguments\.> x = stillcull (1);
%!error <func: stillcull\(\) requires 8 input arguments\.> [a, b] = stillcull (1, 2, 3, 4, 5, 6, 7);
%!error <func: stillcull\(\) requires 1 output argument\.> stillcull ([20 20], 1, [], [], A, 41, 41, 0)
%!error <func: stillcull\(\) requires 1 output argument\.> [a, b] = stillcull ([20 20], 1, [], [], A, 41, 41, 0);
%!error id=planestat:stillcull:notRealDouble x = stillcull ([20 20], 1, [], [], single (A), 41, 41, 0);
%!error id=planestat:stillcull:notRealDouble x = stillcull (int32 ([20 20]), 1, [], [], A, 41, 41, 0);
%!error id=planestat:stillcull:notRealScalar x = stillcull ([20 20], 1, [], [], A, [41 41], 41, 0);
%!error id=planestat:stillcull:tooFewValues x = stillcull ([20 20], 2, [], [], A, 41, 41, 0);
%!error id=planestat:stillcull:tooFewValues x = stillcull ([20 20], 1, [], [], A(1:40,:), 41, 41, 0);
%!error id=planestat:stillcull:tooFewValues x = stillcull ([NaN 20], 1, [], [], A, Inf, Inf, 0);
%!error id=planestat:stillcull:badPixel x = stillcull ([20 20], 1, [], [], [A(1:40,:); NaN(1, 41)], 41, 41, 0);
%!error id=planestat:stillcull:badPixel x = stillcull ([20 20], 1, [], [], -1 * ones (41), 41, 41, 0);
